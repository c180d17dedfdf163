#pragma once

#include <QGroupBox>

#include <array>

class QLabel;

namespace brisquel {

class PictureButton;
class TwipsWindow;
class WrappingCheckBox;

// The main window's control panel, right of its client area until it
// slides in: minimising to the tray, the message box's colours and font,
// the sender name, and three buttons for what is done in the settings file
// instead. It says by its signals what the user asked for.
class ControlPanel : public QGroupBox {
    Q_OBJECT

public:
    // Its controls take their places in `window`'s Tab chain.
    explicit ControlPanel(TwipsWindow &window);

signals:
    void textColorRequested();
    void backgroundColorRequested();
    void fontRequested();
    void senderNameRequested();
    // Minimising goes to the tray, or not.
    void minimizeToTrayChanged(bool toTray);
    // The user ticked or unticked it.
    void minimizeToTrayClicked();
    // A character key typed on the check box (see characterkey.h).
    void characterKey(int &key);

private:
    PictureButton *addButton(TwipsWindow &window, const QString &caption, const char *name, int top, int tabStop);

    WrappingCheckBox *minimizeToTrayCheck = nullptr;
    PictureButton *textColorButton = nullptr;
    PictureButton *backgroundColorButton = nullptr;
    PictureButton *fontButton = nullptr;
    PictureButton *addUsersButton = nullptr;
    PictureButton *addGroupsButton = nullptr;
    PictureButton *senderNameButton = nullptr;
    PictureButton *helpButton = nullptr;
    std::array<QLabel *, 4> markers{};
};

} // namespace brisquel
