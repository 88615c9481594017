// SPDX-License-Identifier: MIT
#include "textboxaccessible.h"

#include <QFontMetrics>
#include <QLineEdit>

namespace ui {

namespace {

// The caret's rectangle, which QLineEdit keeps to itself and its subclasses.
struct CaretOf : QLineEdit {
    static QRect of(const QLineEdit* box) { return (box->*(&CaretOf::cursorRect))(); }
};

} // namespace

TextBoxAccessible::TextBoxAccessible(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText)
{
    addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    addControllingSignal(QStringLiteral("returnPressed()"));
}

QLineEdit* TextBoxAccessible::box() const
{
    return static_cast<QLineEdit*>(object());
}

QString TextBoxAccessible::text(QAccessible::Text t) const
{
    QString s = t == QAccessible::Value ? box()->text() : QString();
    if (s.isEmpty())
        s = QAccessibleWidget::text(t);
    if (s.isEmpty() && t == QAccessible::Description)
        s = box()->placeholderText();
    return s;
}

void TextBoxAccessible::setText(QAccessible::Text t, const QString& text)
{
    if (t == QAccessible::Value)
        box()->setText(text);
    else
        QAccessibleWidget::setText(t, text);
}

QAccessible::State TextBoxAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = !box()->isReadOnly();
    s.readOnly = box()->isReadOnly();
    s.selectableText = true;
    return s;
}

void* TextBoxAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

void TextBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !box()->hasSelectedText())
        return;
    *startOffset = box()->selectionStart();
    *endOffset = *startOffset + int(box()->selectedText().size());
}

int TextBoxAccessible::selectionCount() const
{
    return box()->hasSelectedText() ? 1 : 0;
}

void TextBoxAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TextBoxAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        box()->deselect();
}

void TextBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        box()->setSelection(startOffset, endOffset - startOffset);
}

int TextBoxAccessible::cursorPosition() const
{
    return box()->cursorPosition();
}

void TextBoxAccessible::setCursorPosition(int position)
{
    box()->setCursorPosition(position);
}

QString TextBoxAccessible::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset)
        return {};
    return box()->text().mid(startOffset, endOffset - startOffset);
}

// Offset -2 is the caret, as the bridge asks for it.
QString TextBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                            int* endOffset) const
{
    return QAccessibleTextInterface::textBeforeOffset(offset == -2 ? cursorPosition() : offset, boundaryType,
                                                      startOffset, endOffset);
}

QString TextBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                           int* endOffset) const
{
    return QAccessibleTextInterface::textAfterOffset(offset == -2 ? cursorPosition() : offset, boundaryType,
                                                     startOffset, endOffset);
}

QString TextBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                        int* endOffset) const
{
    return QAccessibleTextInterface::textAtOffset(offset == -2 ? cursorPosition() : offset, boundaryType, startOffset,
                                                  endOffset);
}

int TextBoxAccessible::characterCount() const
{
    return int(box()->text().size());
}

// Measured from the caret, so that the box's margins and scrolling hold.
QRect TextBoxAccessible::characterRect(int offset) const
{
    const QString all = box()->text();
    if (offset < 0 || offset >= all.size())
        return {};
    const QFontMetrics fm(box()->font());
    const QRect caret = CaretOf::of(box());
    const int x = caret.center().x() + fm.horizontalAdvance(all.left(offset)) -
                  fm.horizontalAdvance(all.left(box()->cursorPosition()));
    const QRect r(x, caret.center().y() - fm.height() / 2, fm.horizontalAdvance(all.mid(offset, 1)), fm.height());
    return r.translated(box()->mapToGlobal(QPoint(0, 0)));
}

int TextBoxAccessible::offsetAtPoint(const QPoint& point) const
{
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void TextBoxAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    box()->setCursorPosition(endIndex);
    box()->setCursorPosition(startIndex);
}

// A text box has no attributes: its whole text is one run.
QString TextBoxAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    const int count = characterCount();
    if (offset < 0 || offset >= count) {
        *startOffset = *endOffset = offset;
        return {};
    }
    *startOffset = 0;
    *endOffset = count;
    return {};
}

void TextBoxAccessible::deleteText(int startOffset, int endOffset)
{
    box()->setText(box()->text().remove(startOffset, endOffset - startOffset));
}

void TextBoxAccessible::insertText(int offset, const QString& text)
{
    box()->setText(box()->text().insert(offset, text));
}

void TextBoxAccessible::replaceText(int startOffset, int endOffset, const QString& text)
{
    box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
}

} // namespace ui
