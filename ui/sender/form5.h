#pragma once

#include "ui/entrystrip.h"

namespace brisquel {

class Forms;

// The sender name signed into every message.
class Form5 : public EntryStrip {
    Q_OBJECT

public:
    explicit Form5(Forms &forms);

    void Form_Load();
    void Command1_Click(int Index) override;

private:
    Forms &m_forms;
};

} // namespace brisquel
