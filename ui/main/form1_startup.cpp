// Start-up, the settings file and shutdown of the main window.
#include "form1.h"

#include "core/settingsfile.h"
#include "platform/commondialog.h"
#include "platform/leeusuario.h"
#include "platform/messagebox.h"
#include "ui/forms.h"
#include "ui/kit/centraform.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/vbcombobox.h"
#include "ui/kit/vbscrollbar.h"
#include "ui/kit/vbtextbox.h"
#include "ui/main/texts.h"
#include "ui/quick/form2.h"

#include <QGuiApplication>

namespace brisquel {

namespace {
const QString kLineBreak = QStringLiteral("\n\r");
const QString kUserTooltip = QStringLiteral("Pulsa el botón para enviar el mensaje a ");
} // namespace

bool Form1::Form_Load()
{
    m_state.UsuarioWindows = LeeUsuario(m_services.loginName);

    const QString greeting = QStringLiteral("Hola ") + m_state.UsuarioWindows
        + QStringLiteral(", una cosita antes de empezar:") + kLineBreak
        + QStringLiteral("Esto es una versión BETA (no finalizada...)") + kLineBreak + kLineBreak + kMakerLine
        + kLineBreak + kLineBreak + QStringLiteral("¿Deseas utilizarla?");
    const int answer = m_services.messageBox.show(
        greeting, vbYesNo + vbInformation + vbDefaultButton2 + vbSystemModal, kVersionTitle);
    if (answer == vbNo) {
        m_services.endProgram();
        return false;
    }

    setWidth(5805);
    setHeight(4305);
    CentraForm(*this, metrics());

    Text1->setText(QString());
    VScroll1->setEnabled(false);

    m_state.LetrasQuedan = 850;
    m_state.NumMensajes = 0;
    m_state.Brillo = 120;
    m_state.PasoBrillo = 5;
    m_state.EstadoPanel = 1;
    m_state.Modo = 1;

    CargaFichero();

    for (int i = 0; i < kRecipientSlots; ++i)
        Command1(i)->setToolTipText(kUserTooltip + Command1(i)->Caption());
    Command2(0)->setToolTipText(QStringLiteral("Mensaje a otro usuario no listado"));
    Command2(1)->setToolTipText(QStringLiteral("Mensaje rápido"));
    Command4(2)->setToolTipText(QStringLiteral("Pulsa el botón para seleccionar la fuente del texto"));
    Command4(0)->setToolTipText(QStringLiteral("Pulsa el botón para seleccionar el color del texto"));
    Command4(1)->setToolTipText(QStringLiteral("Pulsa el botón para seleccionar el fondo del texto"));
    Command8->setToolTipText(QStringLiteral("Pulsa para más información"));
    Command9(0)->setToolTipText(QStringLiteral("Pulsa para cambiar al modo GRUPOS"));

    // The font dialog opens on the font in use.
    CommonDialog &dialog = m_services.commonDialog;
    dialog.FontName = Text1->FontName();
    dialog.FontBold = Text1->FontBold();
    dialog.FontItalic = Text1->FontItalic();
    dialog.FontSize = Text1->FontSize();
    dialog.FontStrikethru = Text1->FontStrikethru();
    dialog.FontUnderline = Text1->FontUnderline();

    // The window opens ready to type: the message box, first in the tab
    // order, has the focus.
    Text1->SetFocus();
    m_loadedOk = true;
    return true;
}

void Form1::CargaFichero()
{
    TextBoxLook current = look();
    const LoadOutcome outcome = loadSettings(m_services.settingsPath, m_state, current);
    // The values the file set stay in the box even when a later one failed;
    // the file code has already checked each of them.
    applyLook(current);
    m_settingsBaseline = outcome.baseline;
    // As the box holds them, so that only real changes count at exit.
    m_settingsBaseline.values.look = look();

    Form2 &quick = m_forms.form2();
    for (const QString &caption : outcome.quickListCaptions)
        quick.Combo1->AddItem(caption);

    for (int i = 0; i < kRecipientSlots; ++i)
        Command1(i)->setCaption(m_state.Usuarios[i][0]);
    for (int i = 0; i < kRecipientSlots; ++i) {
        if (m_state.Usuarios[i][0] == kEmptySlotCaption)
            Command1(i)->setEnabled(false);
    }

    if (!outcome.error.isEmpty()) {
        showLoadProblem(outcome.error);
    } else if (!outcome.backupPath.isEmpty()) {
        // Nothing of a hand-edited file is lost silently: say where it went.
        showLoadProblem(QStringLiteral("No se ha podido leer bien %1, así que Brisquel empieza con la "
                                       "configuración de fábrica. El fichero anterior está guardado en %2.")
                            .arg(shownPath(m_services.settingsPath), shownPath(outcome.backupPath)));
    }
}

void Form1::GuardaFichero()
{
    const QString error = saveSettingsAtExit(m_services.settingsPath, m_settingsBaseline, m_state, look());
    if (!error.isEmpty())
        m_services.messageBox.show(error, vbOKOnly + vbExclamation, QStringLiteral("Brisquel v2.4b"));
}

void Form1::saveAtSessionEnd()
{
    if (m_loadedOk && !m_unloaded)
        GuardaFichero();
}

void Form1::showLoadProblem(const QString &message)
{
    m_services.messageBox.show(message, vbOKOnly + vbExclamation, QStringLiteral("Brisquel v2.4b"));
}

void Form1::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_forms.isLoaded2())
        m_forms.unloadForm2();
    if (m_forms.isLoaded4())
        m_forms.unloadForm4();
    if (m_forms.isLoaded5())
        m_forms.unloadForm5();
    GuardaFichero();
    QCoreApplication::quit();
}

void Form1::mnuSalir_Click()
{
    m_unloaded = true; // nothing is saved on this way out
    m_services.endProgram();
}

TextBoxLook Form1::look() const
{
    TextBoxLook value;
    value.fontName = Text1->FontName();
    value.bold = Text1->FontBold();
    value.italic = Text1->FontItalic();
    value.size = Text1->FontSize();
    value.strikethrough = Text1->FontStrikethru();
    value.underline = Text1->FontUnderline();
    value.foreColor = Text1->ForeColor();
    value.backColor = Text1->BackColor();
    return value;
}

bool Form1::applyLook(const TextBoxLook &value)
{
    if (!acceptsFontName(value.fontName))
        return false;
    Text1->setFontName(value.fontName);
    Text1->setFontBold(value.bold);
    Text1->setFontItalic(value.italic);
    if (!acceptsFontSize(value.size))
        return false;
    Text1->setFontSize(value.size);
    Text1->setFontStrikethru(value.strikethrough);
    Text1->setFontUnderline(value.underline);
    if (!acceptsColor(value.foreColor))
        return false;
    Text1->setForeColor(value.foreColor);
    if (!acceptsColor(value.backColor))
        return false;
    Text1->setBackColor(value.backColor);
    return true;
}

} // namespace brisquel
