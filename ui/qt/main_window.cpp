#include "ui/qt/main_window.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTextCursor>
#include <cstddef>
#include <limits>
#include <utility>

#include "ui/control_table.h"
#include "ui/event_bindings.h"
#include "ui/qt/info_box.h"
#include "ui/qt/local_text.h"

// The icon lives in a static library, so its resources are registered by hand.
static void registerWindowResources() { Q_INIT_RESOURCE(window_resources); }

namespace vantrel {

namespace {

// List rows are exactly one line of the font high, plus one pixel.
class ListRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(option.fontMetrics.height() + 1);
    return size;
  }
};

QLabel* createLabel(const ControlSpec& spec, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(spec.caption), parent);
  const Qt::Alignment horizontal =
      spec.alignment == CaptionAlignment::Centred ? Qt::AlignHCenter : Qt::AlignLeft;
  label->setAlignment(horizontal | Qt::AlignVCenter);
  label->setWordWrap(false);
  label->setFocusPolicy(Qt::NoFocus);
  return label;
}

QListWidget* createListBox(QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSortingEnabled(false);
  list->setUniformItemSizes(true);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setItemDelegate(new ListRowDelegate(list));
  return list;
}

QPushButton* createPushButton(const ControlSpec& spec, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(spec.caption), parent);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QLineEdit* createLineEdit(QWidget* parent) {
  auto* line = new QLineEdit(parent);
  // Qt cuts a line edit's text at 32,767 characters by default, and a confirm
  // would write the cut value back: an edit box has no limit of its own.
  line->setMaxLength(std::numeric_limits<int>::max());
  return line;
}

QWidget* createControl(const ControlSpec& spec, QWidget* parent) {
  switch (spec.kind) {
    case ControlKind::Label:
      return createLabel(spec, parent);
    case ControlKind::LineEdit:
      return createLineEdit(parent);
    case ControlKind::InfoBox:
      return new InfoBox(parent);
    case ControlKind::ListBox:
      return createListBox(parent);
    case ControlKind::PushButton:
      return createPushButton(spec, parent);
  }
  return nullptr;
}

// The desktop draws a message box's title bar, in a font of its own (often
// larger or bold) and with its buttons; a box as narrow as a short message cuts
// the caption there. The box gets room for its caption at twice its width in
// the box's font, between three title bar buttons on either side.
void keepCaptionWhole(QMessageBox& box) {
  const int button = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
  const int width = 2 * box.fontMetrics().horizontalAdvance(box.windowTitle()) + 6 * button;
  auto* layout = qobject_cast<QGridLayout*>(box.layout());
  if (!layout) return;
  layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  layout->rowCount(), 0, 1, layout->columnCount());
}

// The info box's lines end in '\n'. Dropping the CR of each CR LF from the
// bytes (neither is part of a multi-byte character, in UTF-8 or in an ANSI code
// page) costs a fraction of replacing in the converted text, which shows on
// the long Commands section that start-up puts into the box.
Text withLineFeeds(const Text& text) {
  Text lines;
  lines.reserve(text.size());
  std::size_t start = 0;
  // Each piece runs up to a CR LF's CR; the next one starts with its LF.
  for (std::size_t cr; (cr = text.find("\r\n", start)) != Text::npos; start = cr + 1) {
    lines.append(text, start, cr - start);
  }
  lines.append(text, start);
  return lines;
}

}  // namespace

MainWindow::MainWindow(RulesDocument& document, GamePaths paths)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      commands_(document, *this, zip_, std::move(paths)) {
  registerWindowResources();
  setWindowTitle(QString::fromUtf8(kWindowTitle));
  setWindowIcon(QIcon(QStringLiteral(":/vantrel/icon.png")));
  setFixedSize(kClientWidth, kClientHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
  createControls();
  connectHandlers();
}

void MainWindow::createControls() {
  QWidget* previousFocusable = nullptr;
  for (const ControlSpec& spec : controlTable()) {
    QWidget* widget = createControl(spec, this);
    widget->setObjectName(QString::fromUtf8(spec.name));
    widget->setGeometry(spec.x, spec.y, spec.width, spec.height);
    controls_.emplace(spec.name, widget);
    if (takesFocus(spec)) {
      widget->installEventFilter(this);
      if (previousFocusable) setTabOrder(previousFocusable, widget);
      previousFocusable = widget;
    }
  }
}

void MainWindow::connectHandlers() {
  for (const EventBinding& binding : kListSelectionHandlers) {
    QListWidget* list = listBox(binding.control);
    // Fires for a selection the user made; not for items the program inserts,
    // nor when the user clears the selection.
    connect(list, &QListWidget::itemSelectionChanged, this,
            [this, list, handler = binding.handler] {
              if (insertingListItem_ || list->selectedItems().isEmpty()) return;
              (commands_.*handler)();
            });
  }
  for (const EventBinding& binding : kButtonClickHandlers) {
    auto* button = static_cast<QPushButton*>(control(binding.control));
    connect(button, &QPushButton::clicked, this,
            [this, handler = binding.handler] { (commands_.*handler)(); });
  }
}

void MainWindow::onWindowCreated() { commands_.onWindowCreated(); }

QWidget* MainWindow::control(const Text& name) const {
  const auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second;
}

QListWidget* MainWindow::listBox(const Text& name) const {
  return qobject_cast<QListWidget*>(control(name));
}

Text MainWindow::getEditText(const Text& editBox) {
  QWidget* box = control(editBox);
  if (const auto* line = qobject_cast<QLineEdit*>(box)) return toLocalText(line->text());
  if (const auto* info = qobject_cast<InfoBox*>(box)) {
    return toLocalText(info->text().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
  }
  return {};
}

void MainWindow::setEditText(const Text& editBox, const Text& text) {
  QWidget* box = control(editBox);
  // A confirm shows the same row text in the info box once per changed line;
  // laying out a text the box already holds is the costly part, so skip it.
  const bool unchanged = textEquals(getEditText(editBox), text);
  if (auto* line = qobject_cast<QLineEdit*>(box)) {
    if (!unchanged) line->setText(fromLocalText(text));
    line->setCursorPosition(0);
  } else if (auto* info = qobject_cast<InfoBox*>(box)) {
    if (!unchanged) {
      info->setText(fromLocalText(withLineFeeds(text)));
    }
    info->moveCursor(QTextCursor::Start);
  }
}

std::int32_t MainWindow::getListSelection(const Text& name) {
  const QListWidget* list = listBox(name);
  if (!list) return -1;
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.first());
}

std::int32_t MainWindow::insertListItem(const Text& name, std::int32_t position, const Text& text) {
  QListWidget* list = listBox(name);
  if (!list || position < 0 || position > list->count()) return -1;
  insertingListItem_ = true;
  // A key too long for the list's width is cut; its tooltip shows it whole.
  auto* item = new QListWidgetItem(fromLocalText(text));
  item->setToolTip(item->text());
  list->insertItem(position, item);
  insertingListItem_ = false;
  return position;
}

void MainWindow::showMessage(std::string_view utf8Message) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("信息："),
                  QString::fromUtf8(utf8Message.data(), static_cast<qsizetype>(utf8Message.size())),
                  QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  keepCaptionWhole(box);
  box.exec();
}

void MainWindow::processPendingEvents() { QCoreApplication::processEvents(); }

bool MainWindow::selectFirstRowIfNoneSelected(QObject* watched) {
  // A list that gets the focus holds a current row without selecting it, so
  // the first arrow key would skip the first row. With nothing selected yet,
  // an arrow key selects the first row, as the user made that selection.
  auto* list = qobject_cast<QListWidget*>(watched);
  if (!list || list->count() == 0 || !list->selectedItems().isEmpty()) return false;
  list->setCurrentRow(0);
  return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Escape:
      if (key->modifiers() != Qt::NoModifier) break;
      close();
      return true;
    case Qt::Key_Tab:
      focusNextPrevChild(true);
      return true;
    case Qt::Key_Backtab:
      focusNextPrevChild(false);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return watched != control(kInfoBox);
    case Qt::Key_Down:
    case Qt::Key_Up:
      return selectFirstRowIfNoneSelected(watched);
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vantrel
