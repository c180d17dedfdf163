#pragma once

#include "core/module1.h"
#include "core/settingsfile.h"
#include "core/textboxlook.h"
#include "core/vbtypes.h"
#include "platform/trayicon.h"
#include "ui/kit/controlarray.h"
#include "ui/kit/vbform.h"

class QGroupBox;
class QLabel;
class QMenu;
class QAction;
class QTimer;

namespace brisquel {

class Forms;
struct Services;
class PictureButton;
class VbCheckBox;
class VbComboBox;
class VbLabel;
class VbScrollBar;
class VbTextBox;

// The main window: the message box, the recipient bank, the history browser,
// the sliding control panel and the tray menu.
class Form1 : public VbForm {
    Q_OBJECT

public:
    explicit Form1(Forms &forms);
    ~Form1() override;

    // Start-up; false when the user declined at the greeting and the program
    // has been ended.
    bool Form_Load();
    bool loadedOk() const { return m_loadedOk; }
    void Form_Unload();

    void CargaFichero();
    void GuardaFichero();
    // The session manager wants the data kept before the session ends: the
    // save of a close, unless the program is already on its way out.
    void saveAtSessionEnd();

    // The message box's font and colours as the settings file keeps them.
    TextBoxLook look() const;
    // False when the box refuses one of the values; those before it stay.
    bool applyLook(const TextBoxLook &look);

    // Controls, by their names in the window's design.
    QGroupBox *Frame2 = nullptr;
    ControlArray<PictureButton> Command10;
    VbComboBox *Combo1 = nullptr;
    ControlArray<QLabel> Picture1;
    ControlArray<PictureButton> Command9;
    QGroupBox *Frame1 = nullptr;
    ControlArray<PictureButton> Command4;
    PictureButton *Command8 = nullptr;
    PictureButton *Command7 = nullptr;
    PictureButton *Command6 = nullptr;
    PictureButton *Command5 = nullptr;
    VbCheckBox *Check1 = nullptr;
    ControlArray<QLabel> Image2;
    PictureButton *Command3 = nullptr;
    QTimer *Timer1 = nullptr;
    ControlArray<PictureButton> Command1;
    VbScrollBar *VScroll1 = nullptr;
    ControlArray<PictureButton> Command2;
    VbTextBox *Text1 = nullptr;
    VbLabel *Label2 = nullptr;
    QLabel *Image1 = nullptr;
    VbLabel *Label1 = nullptr;

    QMenu *mnuPopUp = nullptr;
    QAction *mnuMensajeRapido = nullptr;
    QAction *mnuRestaurar = nullptr;
    QAction *mnuSalir = nullptr;

    // Handlers.
    void Command1_Click(int Index);
    void Command1_KeyPress(int Index, Integer &KeyAscii);
    void Command9_Click(int Index);
    void VScroll1_Change();
    void VScroll1_KeyPress(Integer &KeyAscii);
    void Text1_Change();
    void Text1_KeyPress(Integer &KeyAscii);
    void Form_KeyPress(Integer &KeyAscii) override;
    void Check1_KeyPress(Integer &KeyAscii);
    void mnuSalir_Click();

    void Command2_Click(int Index);
    void Command3_Click();
    void Command4_Click(int Index);
    void Command8_Click();

    void Form_Resize() override;
    void Form_Terminate();
    // What the user did on the tray icon.
    void Tray_Event(TrayIcon::Event event);
    void Tray_AvailabilityChanged();
    void Check1_Click();
    void mnuMensajeRapido_Click();
    void mnuRestaurar_Click();
    void Timer1_Timer();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenu();
    void connectHandlers();
    void applyTabOrder();
    void fillBank(const RecipientList &list, const QString &tooltipPrefix);
    void escReset();
    void showLoadProblem(const QString &message);
    void restoreWindow();

    Forms &m_forms;
    Module1 &m_state;
    Services &m_services;
    bool m_loadedOk = false;
    bool m_unloaded = false;
    // What the settings file held when the run started or was last saved.
    SettingsBaseline m_settingsBaseline;
    // Minimised behind the tray icon, off the taskbar.
    bool m_inTray = false;
};

} // namespace brisquel
