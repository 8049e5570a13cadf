#include "ui/widgets/numberedit.h"

#include "data/rules/clampednumber.h"

namespace veldor {

NumberEdit::NumberEdit(int32_t maximum, int32_t minimum, QWidget* parent)
    : QLineEdit(parent), maximum_(maximum), minimum_(minimum)
{
    connect(this, &QLineEdit::textChanged, this, &NumberEdit::correct);
}

void NumberEdit::setValue(int32_t value)
{
    setText(QString::number(value));
}

int32_t NumberEdit::value() const
{
    return ClampedNumber(fallback_, text(), maximum_, minimum_);
}

void NumberEdit::correct(const QString& text)
{
    const int32_t corrected = ClampedNumber(fallback_, text, maximum_, minimum_);
    const QString correctedText = QString::number(corrected);
    if (correctedText != text) {
        // Rewriting the text runs this handler again with the corrected text, which then
        // reports the value.
        setText(correctedText);
        return;
    }
    Q_EMIT Edited(corrected);
}

} // namespace veldor
