#include "ui/qt/info_box.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <utility>

namespace vantrel {

namespace {

// Where the first lines of a text end: the position of the line break after
// line `lines`, or the text's length when it has no more lines than that.
qsizetype endOfFirstLines(const QString& text, int lines) {
  qsizetype end = -1;
  for (int line = 0; line < lines; ++line) {
    end = text.indexOf(QLatin1Char('\n'), end + 1);
    if (end < 0) return text.size();
  }
  return end;
}

}  // namespace

InfoBox::InfoBox(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setTabChangesFocus(true);
}

QString InfoBox::text() const {
  QString text = document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text + rest_;
}

void InfoBox::setText(const QString& text) {
  const qsizetype firstLinesEnd = endOfFirstLines(text, kFirstLines);
  rest_ = text.mid(firstLinesEnd);
  setPlainText(text.left(firstLinesEnd));
  moveCursor(QTextCursor::Start);
}

void InfoBox::completeText() {
  completionScheduled_ = false;
  if (rest_.isEmpty()) return;
  QTextDocument* textDocument = document();
  // The text was set as a whole: putting in its rest is no step to undo.
  const bool undoRedo = textDocument->isUndoRedoEnabled();
  textDocument->setUndoRedoEnabled(false);
  QTextCursor end(textDocument);
  end.movePosition(QTextCursor::End);
  end.insertText(std::exchange(rest_, QString()));
  textDocument->setUndoRedoEnabled(undoRedo);
}

void InfoBox::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  if (rest_.isEmpty() || completionScheduled_) return;
  completionScheduled_ = true;
  QTimer::singleShot(0, this, &InfoBox::completeText);
}

void InfoBox::focusInEvent(QFocusEvent* event) {
  completeText();
  QPlainTextEdit::focusInEvent(event);
}

}  // namespace vantrel
