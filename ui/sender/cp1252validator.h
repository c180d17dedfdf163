#pragma once

#include <QValidator>

namespace brisquel {

// Keeps out of a line edit what the settings file cannot store: characters
// outside Windows-1252 (emoji, CJK...). They are
// dropped from what is typed or pasted, the rest is kept, so what the box
// shows is what is saved.
class Cp1252Validator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override;
};

} // namespace brisquel
