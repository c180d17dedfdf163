// Start-up, the settings file and shutdown of the main window.
#include "mainwindow.h"

#include "core/programtitle.h"
#include "core/settingsfile.h"
#include "platform/readloginname.h"
#include "platform/messagebox.h"
#include "ui/services.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/pickcombobox.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/kit/exacttextbox.h"

#include <QGuiApplication>

namespace brisquel {

namespace {
const QString kLineBreak = QStringLiteral("\n\r");
// A settings file that could not be read or written.
const MessageBox::Style kProblemStyle{MessageBox::Buttons::Ok, MessageBox::Icon::Warning};
} // namespace

bool MainWindow::load()
{
    m_composer.begin(readLoginName(m_services.loginName));

    const QString greeting = QStringLiteral("Hola ") + m_composer.loginName()
        + QStringLiteral(", una cosita antes de empezar:") + kLineBreak
        + QStringLiteral("Esto es una versión BETA (no finalizada...)") + kLineBreak + kLineBreak + kMakerLine
        + kLineBreak + kLineBreak + QStringLiteral("¿Deseas utilizarla?");
    const MessageBox::Answer answer = m_services.messageBox.show(
        greeting,
        {MessageBox::Buttons::YesNo, MessageBox::Icon::Information, MessageBox::NoIsDefault | MessageBox::StaysOnTop},
        kVersionTitle);
    if (answer == MessageBox::Answer::No) {
        m_services.endProgram();
        return false;
    }

    setWidthTwips(5805);
    setHeightTwips(4305);
    centerOnScreen(*this, metrics());

    messageEdit->setText(QString());
    historyBar->setEnabled(false);

    m_glyphPulse = GlyphPulse();
    m_panelOpen = false;

    loadSettingsFile();

    otherRecipientButton->setToolTip(QStringLiteral("Mensaje a otro usuario no listado"));
    aboutButton->setToolTip(QStringLiteral("Mensaje rápido"));
    fontButton->setToolTip(QStringLiteral("Pulsa el botón para seleccionar la fuente del texto"));
    textColorButton->setToolTip(QStringLiteral("Pulsa el botón para seleccionar el color del texto"));
    backgroundColorButton->setToolTip(QStringLiteral("Pulsa el botón para seleccionar el fondo del texto"));
    senderNameButton->setToolTip(QStringLiteral("Pulsa para más información"));

    // The window opens ready to type: the message box, first in the tab
    // order, has the focus.
    messageEdit->setFocus();
    m_loadedOk = true;
    return true;
}

void MainWindow::loadSettingsFile()
{
    TextBoxLook current = look();
    const LoadOutcome outcome = loadSettings(m_services.settingsPath, m_state, current);
    // The values the file set stay in the box even when a later one failed;
    // the file code has already checked each of them.
    applyLook(current);
    m_settingsBaseline = outcome.baseline;
    // As the box holds them, so that only real changes count at exit.
    m_settingsBaseline.values.look = look();

    emit quickListRead(outcome.quickListCaptions);

    showBank(m_composer.mode());

    // Nothing of a hand-edited file is lost silently: the notice says where
    // it went.
    if (!outcome.error.isEmpty())
        showLoadProblem(outcome.error);
    else if (!outcome.notice.isEmpty())
        showLoadProblem(outcome.notice);
}

void MainWindow::saveSettingsFile()
{
    const QString error = saveSettingsAtExit(m_services.settingsPath, m_settingsBaseline, m_state, look());
    if (!error.isEmpty())
        m_services.messageBox.show(error, kProblemStyle, kProgramTitle);
}

void MainWindow::saveAtSessionEnd()
{
    if (m_loadedOk && !m_unloaded)
        saveSettingsFile();
}

void MainWindow::showLoadProblem(const QString &message)
{
    m_services.messageBox.show(message, kProblemStyle, kProgramTitle);
}

void MainWindow::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    emit unloading();
    saveSettingsFile();
    QCoreApplication::quit();
}

void MainWindow::onQuitChosen()
{
    m_unloaded = true; // nothing is saved on this way out
    m_services.endProgram();
}

TextBoxLook MainWindow::look() const
{
    TextBoxLook value;
    value.fontName = messageEdit->fontName();
    value.bold = messageEdit->fontBold();
    value.italic = messageEdit->fontItalic();
    value.size = messageEdit->fontSize();
    value.strikethrough = messageEdit->fontStrikeOut();
    value.underline = messageEdit->fontUnderline();
    value.foreColor = messageEdit->textColor();
    value.backColor = messageEdit->backgroundColor();
    return value;
}

bool MainWindow::applyLook(const TextBoxLook &value)
{
    if (!acceptsFontName(value.fontName))
        return false;
    messageEdit->setFontName(value.fontName);
    messageEdit->setFontBold(value.bold);
    messageEdit->setFontItalic(value.italic);
    if (!acceptsFontSize(value.size))
        return false;
    messageEdit->setFontSize(value.size);
    messageEdit->setFontStrikeOut(value.strikethrough);
    messageEdit->setFontUnderline(value.underline);
    if (!acceptsColor(value.foreColor))
        return false;
    messageEdit->setTextColor(value.foreColor);
    if (!acceptsColor(value.backColor))
        return false;
    messageEdit->setBackgroundColor(value.backColor);
    return true;
}

} // namespace brisquel
