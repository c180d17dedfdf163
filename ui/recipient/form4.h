#pragma once

#include "ui/entrystrip.h"

namespace brisquel {

class Forms;

// Sends the main window's message to recipients typed by hand.
class Form4 : public EntryStrip {
    Q_OBJECT

public:
    explicit Form4(Forms &forms);

    void Form_Load();
    void Command1_Click(int Index) override;

private:
    Forms &m_forms;
};

} // namespace brisquel
