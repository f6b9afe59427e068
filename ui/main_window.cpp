#include "ui/main_window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTextCursor>
#include <QTextDocument>
#include <limits>
#include <utility>

#include "ui/control_table.h"
#include "ui/local_text.h"

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

QPlainTextEdit* createInfoBox(QWidget* parent) {
  auto* box = new QPlainTextEdit(parent);
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  box->setTabChangesFocus(true);
  return box;
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
      return createInfoBox(parent);
    case ControlKind::ListBox:
      return createListBox(parent);
    case ControlKind::PushButton:
      return createPushButton(spec, parent);
  }
  return nullptr;
}

using Handler = void (EditorCommands::*)();

struct ListHandler {
  const char* listBox;
  Handler onSelected;
};

struct ButtonHandler {
  const char* button;
  Handler onClicked;
};

constexpr ListHandler kListHandlers[] = {
    {kEntityList, &EditorCommands::onEntitySelected},
    {kCommandList, &EditorCommands::onCommandSelected},
};

constexpr ButtonHandler kButtonHandlers[] = {
    {"按钮1", &EditorCommands::onConfirmEntity},
    {"按钮2", &EditorCommands::onConfirmCommand},
    {"按钮3", &EditorCommands::onRestore},
    {"按钮4", &EditorCommands::onWriteOut},
};

}  // namespace

MainWindow::MainWindow(RulesDocument& document, GamePaths paths)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      document_(document),
      paths_(std::move(paths)),
      commands_(document, *this, zip_, paths_) {
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
  for (const ListHandler& binding : kListHandlers) {
    QListWidget* list = listBox(binding.listBox);
    // Fires for a selection the user made; not for items the program inserts,
    // nor when the user clears the selection.
    connect(list, &QListWidget::itemSelectionChanged, this,
            [this, list, handler = binding.onSelected] {
              if (insertingListItem_ || list->selectedItems().isEmpty()) return;
              (commands_.*handler)();
            });
  }
  for (const ButtonHandler& binding : kButtonHandlers) {
    auto* button = static_cast<QPushButton*>(control(binding.button));
    connect(button, &QPushButton::clicked, this,
            [this, handler = binding.onClicked] { (commands_.*handler)(); });
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
  if (const auto* info = qobject_cast<QPlainTextEdit*>(box)) {
    QString text = info->document()->toRawText();
    return toLocalText(text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n")));
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
  } else if (auto* info = qobject_cast<QPlainTextEdit*>(box)) {
    if (!unchanged) {
      info->setPlainText(fromLocalText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
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
  list->insertItem(position, fromLocalText(text));
  insertingListItem_ = false;
  return position;
}

void MainWindow::showMessage(const Text& message) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("信息："), fromLocalText(message),
                  QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
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
