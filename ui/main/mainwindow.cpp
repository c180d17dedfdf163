#include "mainwindow.h"

#include "controlpanel.h"
#include "core/budget.h"
#include "core/numbertext.h"
#include "core/programtitle.h"
#include "core/settingsfile.h"
#include "platform/fontandcolordialogs.h"
#include "platform/messagebox.h"
#include "platform/readloginname.h"
#include "ui/art/pictures.h"
#include "ui/kit/accessibletext.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/colorlabel.h"
#include "ui/kit/exacttextbox.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/kit/keycodes.h"
#include "ui/kit/pickcombobox.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/storedcolor.h"
#include "ui/services.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>

namespace brisquel {

namespace {
const QString kLineBreak = QStringLiteral("\n\r");
// A settings file that could not be read or written.
const MessageBox::Style kProblemStyle{MessageBox::Buttons::Ok, MessageBox::Icon::Warning};
const QString kUserPrefix = QStringLiteral("Pulsa el botón para enviar el mensaje a ");
const QString kGroupPrefix = QStringLiteral("Pulsa el botón para enviar el mensaje al grupo  ");
const QString kSavedMessagesName = QStringLiteral("Mensajes grabados");
const QString kOutOfSightDescription = QStringLiteral("Fuera de la vista: no se usa");

// Member i of the bank stands in row i / 3 and column i % 3; Tab goes
// through the first two rows, then the other two.
TwipsWindow::Twips bankCell(int index)
{
    static constexpr int kLefts[] = {60, 1440, 2820};
    static constexpr int kTops[] = {2460, 2820, 3180, 3540};
    return {kLefts[index % 3], kTops[index / 3], 1395, 315};
}
int bankTabStop(int index)
{
    return index < 6 ? 1 + index : 5 + index;
}

// Opens the colour dialog on the box's colour got by `colorOf` and sets the
// choice with `setColor`. A system colour opens the dialog on what it is
// drawn with here, the palette entry `drawnAs` of the box.
void chooseBoxColor(FontAndColorDialogs &dialogs, ExactTextBox &box, qint32 (ExactTextBox::*colorOf)() const,
                    void (ExactTextBox::*setColor)(qint32), QPalette::ColorRole drawnAs)
{
    qint32 current = (box.*colorOf)();
    if (isSystemColor(current))
        current = toStoredColor(box.editor()->palette().color(QPalette::Active, drawnAs));
    const std::optional<qint32> chosen = dialogs.chooseColor(current);
    if (chosen && acceptsColor(*chosen))
        (box.*setColor)(*chosen);
    box.setFocus();
}
} // namespace

MainWindow::MainWindow(Services &services, AppState &state, MessageComposer &composer)
    : TwipsWindow(services.screen)
    , m_services(services)
    , m_state(state)
    , m_composer(composer)
    , m_tray(services.tray, *this)
{
    setWindowTitle(kProgramTitle);
    setWindowIcon(art::windowIcon());
    setWindowFlags(kFixedTitledWindow);
    createControls();
    describeControls();
    connectHandlers();
    finishTabChain();
}

MainWindow::~MainWindow() = default;

// Made in the order the window has always stacked them; the Tab stops are
// the order a user goes through them. Those out of sight follow the first
// paint (createOutOfSightControls).
void MainWindow::createControls()
{
    // Holders of the two mode icons, below the client area.
    groupModePicture = declare(new QLabel(this), "groupModePicture", {660, 4920, 555, 555});
    groupModePicture->setPixmap(art::groupModeIcon().pixmap(32, 32));
    userModePicture = declare(new QLabel(this), "userModePicture", {60, 4920, 555, 555});
    userModePicture->setPixmap(art::userModeIcon().pixmap(32, 32));

    modeButton = declare(new PictureButton(QStringLiteral("&Grupos"), this), "modeButton", {4260, 480, 1395, 915}, 28);
    modeButton->setPicture(groupModePicture->pixmap());

    panelButton = declare(new PictureButton(QStringLiteral("&Configuración"), this), "panelButton",
                          {4260, 1440, 1395, 915}, 18);
    panelButton->setPicture(art::configPicture());

    pulseTimer = new QTimer(this);
    pulseTimer->setObjectName(QStringLiteral("pulseTimer"));
    pulseTimer->setInterval(250);

    auto bankButton = [&](int index) {
        PictureButton *button = declare(new PictureButton(QString(), this), QStringLiteral("recipientButton%1").arg(index),
                                        bankCell(index), bankTabStop(index));
        button->setPicture(art::bankStrip(false));
        button->setDownPicture(art::bankStrip(true));
        recipientButtons[std::size_t(index)] = button;
    };
    for (int i = 11; i >= 6; --i)
        bankButton(i);

    historyBar = declare(new FocusableScrollBar(this), "historyBar", {4260, 60, 195, 375}, 9);

    aboutButton = declare(new PictureButton(QStringLiteral("Acerca de..."), this), "aboutButton",
                          {4260, 2460, 1395, 315}, 8);
    otherRecipientButton = declare(new PictureButton(QStringLiteral("&Otro"), this), "otherRecipientButton",
                                   {4260, 2820, 1395, 315}, 7);
    for (PictureButton *button : {otherRecipientButton, aboutButton}) {
        button->setPicture(art::bankStrip(false));
        button->setDownPicture(art::bankStrip(true));
    }

    messageEdit = declare(new ExactTextBox(true, this), "messageEdit", {60, 60, 4155, 2295}, 0);
    messageEdit->setMaxLength(900);

    for (int i = 5; i >= 0; --i)
        bankButton(i);

    // The glyph lies over its bitmap: the bitmap is created first so the
    // label paints on top.
    bannerPicture = declare(new QLabel(this), "bannerPicture", {4260, 3180, 1395, 705});
    bannerPicture->setPixmap(art::bannerBitmap());
    bannerPicture->setAlignment(Qt::AlignCenter);
    bannerGlyph = declare(new ColorLabel(QString(QChar(0x00DF)), this), "bannerGlyph", {4260, 3180, 1395, 675});
    QFont glyphFont(QStringLiteral("Arial"));
    glyphFont.setPointSizeF(30);
    glyphFont.setWeight(QFont::Normal);
    bannerGlyph->setFont(glyphFont);
    bannerGlyph->setAlignment(Qt::AlignCenter);
    bannerGlyph->setAttribute(Qt::WA_TranslucentBackground);

    historyLabel = declare(new ColorLabel(QStringLiteral("Mensajes"), this), "historyLabel", {4500, 120, 1155, 255});
}

// What a screen reader says for each control; buttons with a tooltip are
// described by it.
void MainWindow::describeControls()
{
    describeControl(*messageEdit, QStringLiteral("Mensaje"),
                    QStringLiteral("Escribe aquí el mensaje; un botón de usuario o de grupo lo envía"));
    describeControl(*historyBar, QStringLiteral("Mensajes enviados"),
                    QStringLiteral("Vuelve a los mensajes enviados en esta sesión para enviarlos otra vez"));
    historyLabel->setAccessibleDescription(QStringLiteral("Qué mensaje enviado muestra el cuadro"));
    // Its caption names it in both states.
    panelButton->setAccessibleDescription(QStringLiteral("Abre y cierra el panel de control"));
    describeControl(*bannerPicture, QStringLiteral("Dibujo de Brisquel"), QStringLiteral("Adorno"));
    describeControl(*bannerGlyph, QStringLiteral("Distintivo de Brisquel"),
                    QStringLiteral("La letra ß, que cambia de color"));

    // Out of sight for good, but a screen reader still finds them.
    describeControl(*userModePicture, QStringLiteral("Icono del modo usuarios"), kOutOfSightDescription);
    describeControl(*groupModePicture, QStringLiteral("Icono del modo grupos"), kOutOfSightDescription);
}

// A recipient button is heard with its caption and whom it sends to; an
// empty slot as such, not as "...".
void MainWindow::describeRecipientButtons(RecipientMode mode)
{
    const RecipientList &list = m_composer.bank();
    const QString kind = mode == RecipientMode::Groups ? QStringLiteral("grupo de") : QStringLiteral("usuario");
    for (int i = 0; i < kRecipientSlots; ++i) {
        const RecipientSlot &slot = list[std::size_t(i)];
        PictureButton &button = *recipientButtons[std::size_t(i)];
        if (slot.caption == kEmptySlotCaption) {
            describeControl(button, QStringLiteral("Hueco %1 vacío").arg(i + 1),
                            QStringLiteral("Este hueco de la lista no tiene destinatario"));
        } else if (slot.recipients.isEmpty()) {
            describeControl(button, spokenCaption(slot.caption));
        } else {
            describeControl(button, QStringLiteral("%1, %2 %3").arg(spokenCaption(slot.caption), kind, slot.recipients));
        }
    }
}

void MainWindow::connectHandlers()
{
    for (int slot = 0; slot < kRecipientSlots; ++slot) {
        PictureButton *button = recipientButtons[std::size_t(slot)];
        connect(button, &QPushButton::clicked, this, [this, slot] { onRecipientClicked(slot); });
        connect(button, &PictureButton::characterKey, this, &MainWindow::onControlKey);
    }
    connect(modeButton, &QPushButton::clicked, this, &MainWindow::onModeClicked);
    connect(historyBar, &QAbstractSlider::valueChanged, this, &MainWindow::onHistoryBarChanged);
    connect(historyBar, &FocusableScrollBar::characterKey, this, &MainWindow::onControlKey);
    connect(messageEdit, &ExactTextBox::changed, this, &MainWindow::onMessageChanged);
    connect(messageEdit, &ExactTextBox::characterKey, this, &MainWindow::onMessageKey);
    connect(otherRecipientButton, &QPushButton::clicked, this, &MainWindow::openRecipientDialog);
    connect(aboutButton, &QPushButton::clicked, this, &MainWindow::showAbout);
    connect(panelButton, &QPushButton::clicked, this, &MainWindow::togglePanel);

    connect(&m_tray, &TrayController::quitChosen, this, &MainWindow::onQuitChosen);
    connect(&m_tray, &TrayController::quickMessageChosen, this, &MainWindow::openQuickMessage);
    connect(&m_tray, &TrayController::restoreChosen, this, &MainWindow::restoreWindow);
    connect(&m_tray, &TrayController::iconDoubleClicked, this, &MainWindow::trayIconDoubleClicked);
    connect(&m_tray, &TrayController::receivedMessagesRequested, this, &MainWindow::receivedMessagesRequested);

    connect(&m_composer, &MessageComposer::captionChanged, this, &QWidget::setWindowTitle);
    connect(&m_composer, &MessageComposer::modeChanged, this, &MainWindow::showBank);
    connect(&m_composer, &MessageComposer::sent, this, &MainWindow::showHistoryEnd);

    connect(pulseTimer, &QTimer::timeout, this, &MainWindow::onPulseTick);
    pulseTimer->start();
}

// ---- start-up, the settings file and the end ---------------------------------

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

void MainWindow::closeEvent(QCloseEvent *event)
{
    unload();
    event->accept();
}

void MainWindow::onQuitChosen()
{
    m_unloaded = true; // nothing is saved on this way out
    m_services.endProgram();
}

TextBoxLook MainWindow::look() const
{
    TextBoxLook value;
    static_cast<TextFont &>(value) = messageEdit->textFont();
    value.foreColor = messageEdit->textColor();
    value.backColor = messageEdit->backgroundColor();
    return value;
}

bool MainWindow::applyLook(const TextBoxLook &value)
{
    if (!acceptsFontName(value.fontName) || !acceptsFontSize(value.size))
        return false;
    messageEdit->setTextFont(value);
    if (!acceptsColor(value.foreColor))
        return false;
    messageEdit->setTextColor(value.foreColor);
    if (!acceptsColor(value.backColor))
        return false;
    messageEdit->setBackgroundColor(value.backColor);
    return true;
}

// ---- the message, the bank and the history -----------------------------------

void MainWindow::onMessageChanged()
{
    m_composer.messageChanged(*messageEdit);
}

void MainWindow::onMessageKey(int &key)
{
    onControlKey(key);
    if (!m_composer.hasRoom() && key != KeyCode::Escape && key != KeyCode::Backspace)
        key = KeyCode::None;
}

void MainWindow::onUnclaimedKey(int &key)
{
    onControlKey(key);
}

void MainWindow::onMinimizeCheckKey(int &key)
{
    onControlKey(key);
    // A key typed on the check box is not lost: it joins the message.
    if (key != KeyCode::Escape)
        messageEdit->setText(messageEdit->text() + characterFromCode(key));
}

void MainWindow::onControlKey(int &key)
{
    if (key == KeyCode::Escape)
        escReset();
    messageEdit->setFocus();
}

void MainWindow::escReset()
{
    messageEdit->setText(QString());
    historyBar->setMaximumFromZero(m_composer.historyCount());
    historyBar->setValue(m_composer.historyCount());
}

void MainWindow::showBank(RecipientMode mode)
{
    const bool groups = mode == RecipientMode::Groups;
    const RecipientList &list = m_composer.bank();
    const QString &tooltipPrefix = groups ? kGroupPrefix : kUserPrefix;
    for (int i = 0; i < kRecipientSlots; ++i) {
        PictureButton *button = recipientButtons[std::size_t(i)];
        button->setText(list[std::size_t(i)].caption);
        button->setToolTip(tooltipPrefix + button->text());
        button->setEnabled(list[std::size_t(i)].caption != kEmptySlotCaption);
    }
    describeRecipientButtons(mode);
    // The button offers the other list.
    if (groups) {
        modeButton->setText(QStringLiteral("&Usuarios"));
        modeButton->setToolTip(QStringLiteral("Pulsa para cambiar al modo USUARIOS"));
        modeButton->setPicture(userModePicture->pixmap());
    } else {
        modeButton->setText(QStringLiteral("&Grupos"));
        modeButton->setToolTip(QStringLiteral("Pulsa para cambiar al modo GRUPOS"));
        modeButton->setPicture(groupModePicture->pixmap());
    }
}

void MainWindow::onModeClicked()
{
    m_composer.switchMode();
    messageEdit->setFocus();
}

void MainWindow::onRecipientClicked(int slot)
{
    m_composer.sendToSlot(slot, messageEdit->text());
    messageEdit->setFocus();
}

void MainWindow::sendMessageTo(const QString &recipients)
{
    m_composer.sendToTyped(recipients, messageEdit->text());
}

void MainWindow::showHistoryEnd(int historyCount)
{
    historyBar->setMaximumFromZero(historyCount);
    if (!historyBar->isEnabled())
        historyBar->setEnabled(true);
}

void MainWindow::onHistoryBarChanged()
{
    const int position = historyBar->value();
    messageEdit->setText(m_composer.browseTo(position));
    historyLabel->setText(QStringLiteral("Mensaje nº") + numberText(qint32(position + 1)));
}

// ---- the panel, the dialogs and the tray ----------------------------------------

void MainWindow::openRecipientDialog()
{
    messageEdit->setFocus();
    emit recipientDialogRequested();
}

void MainWindow::openSenderNameDialog()
{
    messageEdit->setFocus();
    emit senderNameRequested();
}

void MainWindow::openQuickMessage()
{
    emit quickMessageRequested();
    if (isVisible())
        messageEdit->setFocus();
}

void MainWindow::showAbout()
{
    messageEdit->setFocus();
    const QString about = QStringLiteral("Brisquel por Velmarox") + kLineBreak
        + QStringLiteral("versión BETA no finalizada ") + kLineBreak + kMakerLine + kLineBreak;
    m_services.messageBox.show(about, {MessageBox::Buttons::Ok, MessageBox::Icon::Information}, kVersionTitle);
}

void MainWindow::togglePanel()
{
    static constexpr int kPanelWidth = 1500;
    static constexpr int kStep = 10;
    const int start = qRound(widthTwips());
    const int direction = m_panelOpen ? -1 : 1;
    // Each step is painted at once, and no other event is handled until the
    // slide is over: nothing ever sees a half-open panel.
    for (int i = 0; i <= kPanelWidth; i += kStep) {
        setWidthTwips(start + direction * i);
        repaint();
    }
    if (direction > 0) {
        panelButton->setText(QStringLiteral("&Oculta config."));
        panelButton->setToolTip(QStringLiteral("Pulsa para cerrar el panel de control"));
    } else {
        panelButton->setText(QStringLiteral("&Configuración"));
        panelButton->setToolTip(QStringLiteral("Pulsa para abrir el panel de control"));
    }
    m_panelOpen = !m_panelOpen;
    messageEdit->setFocus();
}

// Cancel in any of the dialogs leaves the box as it was.
void MainWindow::chooseTextColor()
{
    chooseBoxColor(m_services.fontAndColorDialogs, *messageEdit, &ExactTextBox::textColor, &ExactTextBox::setTextColor,
                   QPalette::Text);
}

void MainWindow::chooseBackgroundColor()
{
    chooseBoxColor(m_services.fontAndColorDialogs, *messageEdit, &ExactTextBox::backgroundColor,
                   &ExactTextBox::setBackgroundColor, QPalette::Base);
}

// The dialog opens on the font in use.
void MainWindow::chooseFont()
{
    TextBoxLook chosenLook = look();
    if (const std::optional<TextFont> chosen = m_services.fontAndColorDialogs.chooseFont(chosenLook)) {
        static_cast<TextFont &>(chosenLook) = *chosen;
        applyLook(chosenLook);
    }
    messageEdit->setFocus();
}

void MainWindow::onSizeOrStateChanged()
{
    m_tray.windowSizeOrStateChanged();
}

void MainWindow::restoreWindow()
{
    m_tray.windowRestored();
    restore();
    setVisible(true);
    activateWindow();
    messageEdit->setFocus();
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    TwipsWindow::paintEvent(event);
    if (!m_firstPaintDone) {
        m_firstPaintDone = true;
        QTimer::singleShot(0, this, [this] {
            createOutOfSightControls();
            emit firstPainted();
        });
    }
}

// Nothing of these is in sight before the panel slides in, and the saved
// messages never are; made just after the first paint, they are no part of
// the start-up. They take the places in the stack and in the Tab chain that
// they have always had.
void MainWindow::createOutOfSightControls()
{
    savedMessagesFrame = declare(new QGroupBox(QStringLiteral("Mensajes Grabados"), this), "savedMessagesFrame",
                                 {60, 3960, 5595, 855});
    deleteMessageButton = declare(new PictureButton(QStringLiteral("Bo&rrar"), savedMessagesFrame),
                                  "deleteMessageButton", {4680, 300, 795, 315}, 34);
    saveMessageButton = declare(new PictureButton(QStringLiteral("Guar&dar"), savedMessagesFrame),
                                "saveMessageButton", {3840, 300, 795, 315}, 33);
    for (PictureButton *button : {saveMessageButton, deleteMessageButton}) {
        button->setPicture(art::smallStrip(false));
        button->setDownPicture(art::smallStrip(true));
    }
    savedMessagesCombo = declare(new PickComboBox(true, savedMessagesFrame), "savedMessagesCombo",
                                 {120, 300, 3495, 315}, 32);
    savedMessagesCombo->setEditText(QStringLiteral("Combo1"));
    describeControl(*savedMessagesCombo, kSavedMessagesName, kOutOfSightDescription);
    describeControl(*saveMessageButton, spokenCaption(saveMessageButton->text()), kOutOfSightDescription);
    describeControl(*deleteMessageButton, spokenCaption(deleteMessageButton->text()), kOutOfSightDescription);
    // The lowest of the window's controls.
    savedMessagesFrame->lower();

    controlPanel = declare(new ControlPanel(*this), "controlPanel", {5760, 60, 1395, 3795});
    controlPanel->stackUnder(panelButton);
    connect(controlPanel, &ControlPanel::characterKey, this, &MainWindow::onMinimizeCheckKey);
    connect(controlPanel, &ControlPanel::textColorRequested, this, &MainWindow::chooseTextColor);
    connect(controlPanel, &ControlPanel::backgroundColorRequested, this, &MainWindow::chooseBackgroundColor);
    connect(controlPanel, &ControlPanel::fontRequested, this, &MainWindow::chooseFont);
    connect(controlPanel, &ControlPanel::senderNameRequested, this, &MainWindow::openSenderNameDialog);
    connect(controlPanel, &ControlPanel::minimizeToTrayChanged, &m_tray, &TrayController::setMinimizeToTray);
    connect(controlPanel, &ControlPanel::minimizeToTrayClicked, this, [this] { messageEdit->setFocus(); });

    finishTabChain();
    // Children made after their window is shown wait to be shown themselves.
    savedMessagesFrame->show();
    controlPanel->show();
}

void MainWindow::onPulseTick()
{
    bannerGlyph->setTextColor(m_glyphPulse.tick());
    // Lets whatever is pending run before the next tick.
    QCoreApplication::processEvents();
}

} // namespace brisquel
