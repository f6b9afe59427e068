// The window's multi-line info box. Start-up puts the whole Commands section
// (some hundred kilobytes) into it, and building a text document that long
// takes longer than showing the rest of the window. So a long text goes in two
// steps: the first lines at once, enough to fill the box, and the rest on the
// next turn of the event loop after the box was first painted, before the user
// can type into it. The box's text is always the whole text.
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace vantrel {

class InfoBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit InfoBox(QWidget* parent = nullptr);

  // The whole text, lines separated by '\n', including lines not put in yet.
  QString text() const;
  // Replaces the whole text (lines separated by '\n') and shows it from the start.
  void setText(const QString& text);
  // Puts in the lines not put in yet, if any.
  void completeText();

  // Lines that setText puts in at once: more than the box shows, and more than
  // a row text has, so that only texts like the Commands section go in two steps.
  static constexpr int kFirstLines = 256;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  QString rest_;  // the lines after the first ones, starting with their '\n'
  bool completionScheduled_ = false;
};

}  // namespace vantrel
