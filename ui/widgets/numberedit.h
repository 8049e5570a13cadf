#pragma once

#include <QLineEdit>

#include <cstdint>

namespace veldor {

// A one-line edit for a number. Its text is corrected on every change, by the program or the
// user: the text is read with ClampedNumber (fallback first, then maximum, minimum) and the
// corrected decimal text is written back at once. Edited(value) then runs with the value.
// Putting the same text in again runs nothing, as with any edit field.
class NumberEdit : public QLineEdit
{
    Q_OBJECT
public:
    NumberEdit(int32_t maximum, int32_t minimum, QWidget* parent = nullptr);

    // The value a text that is no number falls back to (the field's stored value).
    void setFallback(int32_t value) { fallback_ = value; }
    int32_t fallback() const { return fallback_; }
    int32_t maximum() const { return maximum_; }
    int32_t minimum() const { return minimum_; }

    // Puts `value` in as text, which corrects it (and runs Edited) like any other change.
    void setValue(int32_t value);
    // The current text read as the field reads it.
    int32_t value() const;

Q_SIGNALS:
    void Edited(int32_t value);

private:
    void correct(const QString& text);

    int32_t maximum_;
    int32_t minimum_;
    int32_t fallback_ = 0;
};

} // namespace veldor
