// End-to-end tests of the editor window: each test starts the real window on a
// game folder of its own (with its own TMPDIR), drives it by keyboard and mouse
// and looks at the controls, the working file and the game's archive.
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "archive/zip_archive.h"
#include "rules/rules_document.h"
#include "ui/control_table.h"
#include "ui/editor_lifecycle.h"
#include "ui/front_request_server.h"
#include "ui/local_text.h"
#include "ui/sample_game_folder.h"
#include "ui/working_copy_claim.h"

namespace vantrel {
namespace {

// Rows of the sample rules text.
const QString kBuildingRow = QStringLiteral("bld_citadel");
const QString kUnitRow = QStringLiteral("unit_surveyor");
const QString kCommandRow = QStringLiteral("ranger_bow");

// Answers every message box that a handler opens while it lives, recording
// what each box showed.
class MessageCatcher {
 public:
  struct Message {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::WindowModality modality = Qt::NonModal;
    bool hasParent = false;
  };

  MessageCatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
    timer_.start(0);
  }
  const std::vector<Message>& messages() const { return messages_; }
  QStringList texts() const {
    QStringList texts;
    for (const Message& message : messages_) texts << message.text;
    return texts;
  }

 private:
  void answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    messages_.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                         box->windowModality(), box->parentWidget() != nullptr});
    box->button(QMessageBox::Ok)->click();
  }

  QTimer timer_;
  std::vector<Message> messages_;
};

QList<QByteArray> fileLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().split('\n');
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString pathText(const Text& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

QByteArray lineValue(const QByteArray& line) {
  static const QRegularExpression value(QStringLiteral("value=\"([^\"]*)\""));
  return value.match(QString::fromUtf8(line)).captured(1).toUtf8();
}

// The key of a row text: the value on its first line.
QString rowKey(const QString& rowText) {
  return QString::fromUtf8(lineValue(rowText.section(QStringLiteral("\r\n"), 0, 0).toUtf8()));
}

std::vector<const ControlSpec*> focusOrder() {
  std::vector<const ControlSpec*> order;
  for (const ControlSpec& control : controlTable()) {
    if (takesFocus(control)) order.push_back(&control);
  }
  return order;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup();

  void startUpFillsBothListsAndFocusesEntityList();
  void startUpWithoutArchiveLeavesListsEmptyAndWriteOutSilent();
  void startUpOnArchiveThatDoesNotUnpackLoadsNothing();
  void secondStartBringsTheRunningWindowToTheFront();
  void controlsFitClientAreaWithoutOverlap();
  void selectingRowFillsAndEmptiesBoxes_data();
  void selectingRowFillsAndEmptiesBoxes();
  void confirmWritesEveryEditedBoxToItsLine_data();
  void confirmWritesEveryEditedBoxToItsLine();
  void confirmKeepsPastedValueOnItsLine_data();
  void confirmKeepsPastedValueOnItsLine();
  void confirmKeepsALongValueWhole();
  void writeOutPacksEditedRules();
  void restoreWritesCarriedArchiveAndWriteOutKeepsEdits();
  void escapeClosesWindow_data();
  void escapeClosesWindow();
  void tabFollowsFocusOrderAndWraps();
  void enterDoesNothingOutsideInfoBox_data();
  void enterDoesNothingOutsideInfoBox();
  void arrowKeysFireSelectionHandlerPerItem_data();
  void arrowKeysFireSelectionHandlerPerItem();
  void insertListItemKeepsPositionsAndFiresNothing_data();
  void insertListItemKeepsPositionsAndFiresNothing();
  void editTextRoundTrips_data();
  void editTextRoundTrips();
  void showMessageIsApplicationModal();

 private:
  void start(SampleGameFolder::Archive archive = SampleGameFolder::Archive::Sample);
  template <typename T>
  T* find(const QString& name) const {
    return window_->findChild<T*>(name);
  }
  QString focusedName() const;
  void selectRow(const QString& listName, const QString& key);
  void typeInto(const QString& boxName, const QString& text);
  void click(const QString& buttonName);
  QString text(const QString& boxName) const;
  QString workingFile() const { return pathText(folder_->paths().workingFile); }
  QString gameArchive() const { return pathText(folder_->paths().gameArchive); }

  std::unique_ptr<SampleGameFolder> folder_;
  std::unique_ptr<RulesDocument> document_;
  std::unique_ptr<MainWindow> window_;
};

void MainWindowTest::start(SampleGameFolder::Archive archive) {
  folder_ = std::make_unique<SampleGameFolder>(archive);
  QVERIFY(folder_->isValid());
  document_ = std::make_unique<RulesDocument>();
  window_ = openMainWindow(*document_, folder_->paths());
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void MainWindowTest::cleanup() {
  window_.reset();
  document_.reset();
  folder_.reset();
}

QString MainWindowTest::focusedName() const {
  const QWidget* focused = window_->focusWidget();
  return focused ? focused->objectName() : QString();
}

void MainWindowTest::selectRow(const QString& listName, const QString& key) {
  auto* list = find<QListWidget>(listName);
  QVERIFY(list);
  const QList<QListWidgetItem*> items = list->findItems(key, Qt::MatchExactly);
  QVERIFY2(items.size() == 1, qPrintable(key));
  list->scrollToItem(items.first());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(items.first()).center());
  QCOMPARE(window_->getListSelection(toLocalText(listName)), list->row(items.first()));
}

void MainWindowTest::typeInto(const QString& boxName, const QString& text) {
  auto* box = find<QLineEdit>(boxName);
  QVERIFY(box);
  box->setFocus();
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Delete);
  QTest::keyClicks(box, text);
  QCOMPARE(box->text(), text);
}

void MainWindowTest::click(const QString& buttonName) {
  auto* button = find<QPushButton>(buttonName);
  QVERIFY(button);
  QTest::mouseClick(button, Qt::LeftButton);
}

QString MainWindowTest::text(const QString& boxName) const {
  return fromLocalText(window_->getEditText(toLocalText(boxName)));
}

void MainWindowTest::startUpFillsBothListsAndFocusesEntityList() {
  start();
  auto* entities = find<QListWidget>(QStringLiteral("列表框_分类"));
  auto* commands = find<QListWidget>(QStringLiteral("列表框_攻击"));
  QVERIFY(entities && commands);
  QCOMPARE(entities->count(), 75);
  QCOMPARE(commands->count(), 59);
  QCOMPARE(window_->getListSelection(kEntityList), -1);
  QCOMPARE(window_->getListSelection(kCommandList), -1);
  QVERIFY(!text(QStringLiteral("编辑框_信息")).isEmpty());
  QTRY_COMPARE(focusedName(), QStringLiteral("列表框_分类"));
  QCOMPARE(window_->windowTitle(), QStringLiteral("Vantrel属性修改工具"));
  QCOMPARE(window_->minimumSize(), window_->maximumSize());
  QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
  QVERIFY(!window_->windowIcon().isNull());
}

void MainWindowTest::controlsFitClientAreaWithoutOverlap() {
  start(SampleGameFolder::Archive::None);
  const QRect clientArea = window_->rect();
  QCOMPARE(clientArea.size(), QSize(886, 512));
  const auto controls = controlTable();
  for (auto first = controls.begin(); first != controls.end(); ++first) {
    const QWidget* widget = find<QWidget>(QString::fromUtf8(first->name));
    QVERIFY2(widget && widget->isVisible(), first->name);
    QVERIFY2(clientArea.contains(widget->geometry()), first->name);
    for (auto second = first + 1; second != controls.end(); ++second) {
      const QWidget* other = find<QWidget>(QString::fromUtf8(second->name));
      QVERIFY2(!widget->geometry().intersects(other->geometry()),
               qPrintable(QStringLiteral("%1 overlaps %2").arg(first->name, second->name)));
    }
  }
}

void MainWindowTest::startUpWithoutArchiveLeavesListsEmptyAndWriteOutSilent() {
  start(SampleGameFolder::Archive::None);
  QCOMPARE(find<QListWidget>(QStringLiteral("列表框_分类"))->count(), 0);
  QCOMPARE(find<QListWidget>(QStringLiteral("列表框_攻击"))->count(), 0);
  QCOMPARE(text(QStringLiteral("编辑框_信息")), QString());
  QTRY_COMPARE(focusedName(), QStringLiteral("列表框_分类"));

  MessageCatcher catcher;
  click(QStringLiteral("按钮4"));
  QCOMPARE(catcher.texts(), QStringList());
  QVERIFY(!QFile::exists(gameArchive()));
}

void MainWindowTest::startUpOnArchiveThatDoesNotUnpackLoadsNothing() {
  start();  // an earlier run, which leaves its working file behind
  QVERIFY(find<QListWidget>(QStringLiteral("列表框_分类"))->count() > 0);
  window_.reset();
  document_ = std::make_unique<RulesDocument>();
  QFile archive(gameArchive());
  QVERIFY(archive.open(QIODevice::WriteOnly | QIODevice::Truncate));
  archive.write("PK\3\4 cut off");
  archive.close();

  window_ = openMainWindow(*document_, folder_->paths());
  QCOMPARE(find<QListWidget>(QStringLiteral("列表框_分类"))->count(), 0);
  QCOMPARE(find<QListWidget>(QStringLiteral("列表框_攻击"))->count(), 0);
  MessageCatcher catcher;
  click(QStringLiteral("按钮4"));
  QCOMPARE(catcher.texts(), QStringList());
  QCOMPARE(fileBytes(gameArchive()), QByteArray("PK\3\4 cut off"));
}

void MainWindowTest::secondStartBringsTheRunningWindowToTheFront() {
  start();
  const Text workingFolder = folder_->paths().workingFolder;
  QVERIFY(!bringRunningEditorToFront(workingFolder));  // no editor listens yet
  window_->showMinimized();
  FrontRequestServer server(*window_, workingFolder);
  QVERIFY(server.isListening());

  QVERIFY(bringRunningEditorToFront(workingFolder));

  QTRY_COMPARE(server.requestsHandled(), 1);
  QVERIFY(!window_->isMinimized());
}

void MainWindowTest::selectingRowFillsAndEmptiesBoxes_data() {
  QTest::addColumn<QString>("list");
  QTest::addColumn<QString>("row");
  QTest::addColumn<QStringList>("filled");  // box=value
  QTest::addColumn<QStringList>("emptied");
  const QStringList buildingBoxes = {"编辑框_生命", "编辑框_防御", "编辑框_视野", "编辑框_电网"};
  const QStringList unitBoxes = {"编辑框_人物生命", "编辑框_人物防御", "编辑框_人物视野",
                                 "编辑框_人物移速"};
  QTest::newRow("building") << "列表框_分类" << kBuildingRow
                            << QStringList{"编辑框_生命=5000",    "编辑框_防御=8",
                                           "编辑框_视野=8",       "编辑框_电网=0",
                                           "编辑框_建造速度=55",  "编辑框_需求工人=4",
                                           "编辑框_需求木材=300", "编辑框_需求石材=250",
                                           "编辑框_产出工人=4",   "编辑框_采集预估=0"}
                            << unitBoxes;
  QTest::newRow("unit") << "列表框_分类" << kUnitRow
                        << QStringList{"编辑框_人物生命=210", "编辑框_人物防御=1",
                                       "编辑框_人物视野=13",  "编辑框_人物移速=5.02",
                                       "编辑框_建造速度=43",  "编辑框_需求食物=130",
                                       "编辑框_需求金币=70",  "编辑框_采集范围=0"}
                        << buildingBoxes;
  QTest::newRow("command") << "列表框_攻击" << kCommandRow
                           << QStringList{"编辑框_距离=11.0", "编辑框_伤害=39", "编辑框_间隔=2.99"}
                           << QStringList();
}

void MainWindowTest::selectingRowFillsAndEmptiesBoxes() {
  QFETCH(QString, list);
  QFETCH(QString, row);
  QFETCH(QStringList, filled);
  QFETCH(QStringList, emptied);
  start();
  for (const QString& box : emptied) window_->setEditText(toLocalText(box), "stale");

  selectRow(list, row);

  for (const QString& binding : filled) {
    const QString box = binding.section('=', 0, 0);
    QVERIFY2(text(box) == binding.section('=', 1), qPrintable(binding + " shows " + text(box)));
  }
  for (const QString& box : emptied) QVERIFY2(text(box).isEmpty(), qPrintable(box));
  QCOMPARE(rowKey(text(QStringLiteral("编辑框_信息"))), row);
}

void MainWindowTest::confirmWritesEveryEditedBoxToItsLine_data() {
  QTest::addColumn<QString>("list");
  QTest::addColumn<QString>("row");  // empty: nothing selected
  QTest::addColumn<QString>("button");
  QTest::addColumn<QStringList>("edits");  // box=new value
  QTest::addColumn<bool>("written");
  QTest::newRow("building box") << "列表框_分类" << kBuildingRow << "按钮1"
                                << QStringList{"编辑框_生命=6000"} << true;
  QTest::newRow("unit box") << "列表框_分类" << kUnitRow << "按钮1"
                            << QStringList{"编辑框_人物移速=4.25"} << true;
  QTest::newRow("shared boxes") << "列表框_分类" << kUnitRow << "按钮1"
                                << QStringList{"编辑框_需求食物=75", "编辑框_采集预估=12"} << true;
  QTest::newRow("emptied box") << "列表框_分类" << kBuildingRow << "按钮1"
                               << QStringList{"编辑框_需求木材="} << true;
  QTest::newRow("command boxes") << "列表框_攻击" << kCommandRow << "按钮2"
                                 << QStringList{"编辑框_距离=3", "编辑框_伤害=25",
                                                "编辑框_间隔=0.75"}
                                 << true;
  QTest::newRow("no entity selected")
      << "列表框_分类" << QString() << "按钮1" << QStringList{"编辑框_生命=1"} << false;
  QTest::newRow("no command selected")
      << "列表框_攻击" << QString() << "按钮2" << QStringList{"编辑框_距离=1"} << false;
}

void MainWindowTest::confirmWritesEveryEditedBoxToItsLine() {
  QFETCH(QString, list);
  QFETCH(QString, row);
  QFETCH(QString, button);
  QFETCH(QStringList, edits);
  QFETCH(bool, written);
  start();
  if (!row.isEmpty()) selectRow(list, row);
  const QList<QByteArray> before = fileLines(workingFile());
  QVERIFY(!before.isEmpty());

  QList<QByteArray> newValues;
  for (const QString& edit : edits) {
    typeInto(edit.section('=', 0, 0), edit.section('=', 1));
    newValues << edit.section('=', 1).toUtf8();
  }
  click(button);

  const QList<QByteArray> after = fileLines(workingFile());
  QCOMPARE(after.size(), before.size());
  QList<QByteArray> changedValues;
  for (qsizetype i = 0; i < before.size(); ++i) {
    if (after[i] == before[i]) continue;
    const QByteArray value = lineValue(after[i]);
    QByteArray expected = before[i];
    expected.replace("value=\"" + lineValue(before[i]) + "\"", "value=\"" + value + "\"");
    QVERIFY2(after[i] == expected, after[i].constData());  // only the value changed
    changedValues << value;
  }
  QCOMPARE(changedValues, written ? newValues : QList<QByteArray>());
}

void MainWindowTest::confirmKeepsPastedValueOnItsLine_data() {
  QTest::addColumn<QString>("pasted");
  QTest::addColumn<QByteArray>("raw");  // what the value's line then holds
  QTest::newRow("line break after") << QStringLiteral("6000\r\n") << QByteArray("6000&#13;&#10;");
  QTest::newRow("line feed inside") << QStringLiteral("60\n00") << QByteArray("60&#10;00");
  QTest::newRow("zero character") << (QStringLiteral("60") + QChar(0) + QStringLiteral("00"))
                                  << QByteArray("60");
  QTest::newRow("characters outside ASCII")
      << QStringLiteral("中\"é") << QByteArray("&#x4E2D;&quot;&#xE9;");
  QTest::newRow("longer than 32,767 characters") << QString(40000, QLatin1Char('7'))
                                                  << QByteArray(40000, '7');
}

// Edit boxes have no length limit: a long value goes into the text whole and
// comes back whole when the row is selected again.
void MainWindowTest::confirmKeepsALongValueWhole() {
  QString longValue;
  for (int i = 0; longValue.size() < 50000; ++i) longValue += QString::number(i) + QLatin1Char(' ');
  start();
  selectRow(QStringLiteral("列表框_分类"), kBuildingRow);
  auto* box = find<QLineEdit>(QStringLiteral("编辑框_生命"));
  QVERIFY(box);
  box->selectAll();
  QApplication::clipboard()->setText(longValue);
  box->paste();
  QCOMPARE(box->text().size(), longValue.size());

  click(QStringLiteral("按钮1"));
  selectRow(QStringLiteral("列表框_分类"), kUnitRow);
  QVERIFY(box->text() != longValue);
  selectRow(QStringLiteral("列表框_分类"), kBuildingRow);

  QCOMPARE(box->text(), longValue);
  QVERIFY(fileLines(workingFile()).contains("                        <Simple value=\"" +
                                            longValue.toLatin1() + "\" />\r"));
}

// A line edit takes line breaks and zero characters from the clipboard; the
// confirmed value must still leave every line of the working file in place.
void MainWindowTest::confirmKeepsPastedValueOnItsLine() {
  QFETCH(QString, pasted);
  QFETCH(QByteArray, raw);
  start();
  selectRow(QStringLiteral("列表框_分类"), kBuildingRow);
  const QList<QByteArray> before = fileLines(workingFile());
  auto* box = find<QLineEdit>(QStringLiteral("编辑框_生命"));
  QVERIFY(box);
  box->selectAll();
  QApplication::clipboard()->setText(pasted);
  box->paste();
  QCOMPARE(box->text(), pasted);

  click(QStringLiteral("按钮1"));

  const QList<QByteArray> after = fileLines(workingFile());
  QCOMPARE(after.size(), before.size());
  QList<QByteArray> changed;
  for (qsizetype i = 0; i < before.size(); ++i) {
    if (after[i] != before[i]) changed << after[i];
  }
  QCOMPARE(changed.size(), qsizetype{1});
  QCOMPARE(lineValue(changed.front()), raw);
}

void MainWindowTest::writeOutPacksEditedRules() {
  start();
  selectRow(QStringLiteral("列表框_分类"), kBuildingRow);
  typeInto(QStringLiteral("编辑框_防御"), QStringLiteral("99"));
  click(QStringLiteral("按钮1"));
  MessageCatcher catcher;

  click(QStringLiteral("按钮4"));

  QCOMPARE(catcher.texts(), QStringList{QStringLiteral("写出完成")});
  QTemporaryDir unpacked;
  QCOMPARE(
      unpackArchive(folder_->paths().gameArchive, QFile::encodeName(unpacked.path()).toStdString()),
      1);
  const QByteArray edited = fileBytes(workingFile());
  QVERIFY(edited.contains("<Simple value=\"99\" />"));
  QCOMPARE(fileBytes(unpacked.filePath(QStringLiteral("VUVazur.dat"))), edited);
}

void MainWindowTest::restoreWritesCarriedArchiveAndWriteOutKeepsEdits() {
  start();
  selectRow(QStringLiteral("列表框_分类"), kBuildingRow);
  typeInto(QStringLiteral("编辑框_视野"), QStringLiteral("77"));
  click(QStringLiteral("按钮1"));
  const QByteArray edited = fileBytes(workingFile());
  MessageCatcher catcher;

  click(QStringLiteral("按钮4"));
  click(QStringLiteral("按钮3"));
  QCOMPARE(fileBytes(gameArchive()), fileBytes(SampleGameFolder::sampleArchive()));
  QCOMPARE(fileBytes(workingFile()), edited);
  QCOMPARE(text(QStringLiteral("编辑框_视野")), QStringLiteral("77"));
  click(QStringLiteral("按钮4"));

  QCOMPARE(catcher.texts(), (QStringList{"写出完成", "还原完成", "写出完成"}));
  QTemporaryDir unpacked;
  QCOMPARE(
      unpackArchive(folder_->paths().gameArchive, QFile::encodeName(unpacked.path()).toStdString()),
      1);
  QCOMPARE(fileBytes(unpacked.filePath(QStringLiteral("VUVazur.dat"))), edited);
}

void MainWindowTest::escapeClosesWindow_data() {
  QTest::addColumn<QString>("control");
  QTest::newRow("list box") << "列表框_攻击";
  QTest::newRow("line edit") << "编辑框_生命";
  QTest::newRow("info box") << "编辑框_信息";
  QTest::newRow("push button") << "按钮3";
}

void MainWindowTest::escapeClosesWindow() {
  QFETCH(QString, control);
  start();
  QWidget* widget = find<QWidget>(control);
  QVERIFY(widget);
  widget->setFocus();
  MessageCatcher catcher;

  QTest::keyClick(widget, Qt::Key_Escape);

  QVERIFY(!window_->isVisible());
  QCOMPARE(catcher.texts(), QStringList());
}

void MainWindowTest::tabFollowsFocusOrderAndWraps() {
  start();
  const std::vector<const ControlSpec*> order = focusOrder();
  const auto size = static_cast<qsizetype>(order.size());
  QTRY_COMPARE(focusedName(), QString::fromUtf8(order.front()->name));
  for (qsizetype step = 1; step <= size; ++step) {
    QTest::keyClick(window_->focusWidget(), Qt::Key_Tab);
    QCOMPARE(focusedName(), QString::fromUtf8(order[step % size]->name));
  }
  for (qsizetype step = size - 1; step >= 0; --step) {
    QTest::keyClick(window_->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusedName(), QString::fromUtf8(order[step]->name));
  }
}

void MainWindowTest::enterDoesNothingOutsideInfoBox_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<bool>("startsNewLine");
  QTest::newRow("line edit") << "编辑框_生命" << false;
  QTest::newRow("list box") << "列表框_分类" << false;
  QTest::newRow("write-out button") << "按钮4" << false;
  QTest::newRow("info box") << "编辑框_信息" << true;
}

void MainWindowTest::enterDoesNothingOutsideInfoBox() {
  QFETCH(QString, control);
  QFETCH(bool, startsNewLine);
  start();
  selectRow(QStringLiteral("列表框_分类"), kBuildingRow);
  QWidget* widget = find<QWidget>(control);
  widget->setFocus();
  const QString infoBefore = text(QStringLiteral("编辑框_信息"));
  const QString lifeBefore = text(QStringLiteral("编辑框_生命"));
  MessageCatcher catcher;

  QTest::keyClick(widget, Qt::Key_Return);
  QTest::keyClick(widget, Qt::Key_Enter, Qt::KeypadModifier);

  QCOMPARE(focusedName(), control);
  QCOMPARE(catcher.texts(), QStringList());
  QCOMPARE(text(QStringLiteral("编辑框_生命")), lifeBefore);
  const QString infoAfter = text(QStringLiteral("编辑框_信息"));
  QCOMPARE(infoAfter, startsNewLine ? "\r\n\r\n" + infoBefore : infoBefore);
}

void MainWindowTest::arrowKeysFireSelectionHandlerPerItem_data() {
  QTest::addColumn<QString>("list");
  QTest::newRow("entities") << "列表框_分类";
  QTest::newRow("commands") << "列表框_攻击";
}

void MainWindowTest::arrowKeysFireSelectionHandlerPerItem() {
  QFETCH(QString, list);
  start();
  auto* listBox = find<QListWidget>(list);
  listBox->setFocus();
  // With nothing selected yet, the first Down selects the first row.
  for (int row : {0, 1, 2, 3, 2}) {
    const int selected = window_->getListSelection(toLocalText(list));
    const int key = row > selected ? Qt::Key_Down : Qt::Key_Up;
    window_->setEditText(kInfoBox, "");
    QTest::keyClick(listBox, static_cast<Qt::Key>(key));
    QCOMPARE(window_->getListSelection(toLocalText(list)), row);
    // The handler shows the row it read in the info box.
    QCOMPARE(rowKey(text(QStringLiteral("编辑框_信息"))), listBox->item(row)->text());
  }
}

void MainWindowTest::insertListItemKeepsPositionsAndFiresNothing_data() {
  QTest::addColumn<int>("position");
  QTest::addColumn<int>("result");
  QTest::newRow("before the first") << -1 << -1;
  QTest::newRow("first") << 0 << 0;
  QTest::newRow("middle") << 1 << 1;
  QTest::newRow("append") << 2 << 2;
  QTest::newRow("past the end") << 3 << -1;
}

void MainWindowTest::insertListItemKeepsPositionsAndFiresNothing() {
  QFETCH(int, position);
  QFETCH(int, result);
  start(SampleGameFolder::Archive::None);
  auto* list = find<QListWidget>(QStringLiteral("列表框_分类"));
  QCOMPARE(window_->insertListItem(kEntityList, 0, "zebra"), 0);
  QCOMPARE(window_->insertListItem(kEntityList, 1, "apple"), 1);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(1)).center());
  QCOMPARE(window_->getListSelection(kEntityList), 1);
  window_->setEditText(kInfoBox, "untouched");

  QCOMPARE(window_->insertListItem(kEntityList, position, "mango"), result);

  QStringList expected = {"zebra", "apple"};
  if (result >= 0) expected.insert(result, QStringLiteral("mango"));
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  QCOMPARE(items, expected);
  QCOMPARE(window_->getListSelection(kEntityList), expected.indexOf(QStringLiteral("apple")));
  QCOMPARE(text(QStringLiteral("编辑框_信息")), QStringLiteral("untouched"));
}

void MainWindowTest::editTextRoundTrips_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("text");
  QTest::newRow("info box lines") << "编辑框_信息"
                                  << "<Row>\r\n  <Simple value=\"1\" />\r\n\r\nend";
  QTest::newRow("info box trailing line end") << "编辑框_信息"
                                              << "a\r\n";
  QTest::newRow("line edit") << "编辑框_伤害"
                             << "伤害 12.5";
  QTest::newRow("empty") << "编辑框_伤害"
                         << "";
}

void MainWindowTest::editTextRoundTrips() {
  QFETCH(QString, box);
  QFETCH(QString, text);
  start(SampleGameFolder::Archive::None);
  window_->setEditText(toLocalText(box), toLocalText(text));
  QCOMPARE(fromLocalText(window_->getEditText(toLocalText(box))), text);
}

void MainWindowTest::showMessageIsApplicationModal() {
  start(SampleGameFolder::Archive::None);
  MessageCatcher catcher;

  window_->showMessage(toLocalText(QStringLiteral("写出完成")));

  QCOMPARE(catcher.messages().size(), size_t{1});
  const MessageCatcher::Message& message = catcher.messages().front();
  QCOMPARE(message.caption, QStringLiteral("信息："));
  QCOMPARE(message.text, QStringLiteral("写出完成"));
  QCOMPARE(message.icon, QMessageBox::NoIcon);
  QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  QCOMPARE(message.modality, Qt::ApplicationModal);
  QVERIFY(!message.hasParent);
}

}  // namespace vantrel

QTEST_MAIN(vantrel::MainWindowTest)
#include "main_window_test.moc"
