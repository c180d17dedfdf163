#include "mainwindow.h"

#include "core/programtitle.h"
#include "ui/art/pictures.h"
#include "platform/trayicon.h"
#include "ui/services.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/accessibletext.h"
#include "ui/kit/taborder.h"
#include "ui/kit/wrappingcheckbox.h"
#include "ui/kit/pickcombobox.h"
#include "ui/kit/colorlabel.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/kit/exacttextbox.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>

namespace brisquel {

namespace {
struct BankCell {
    int left;
    int top;
};
// Member i of the bank stands in row i / 3 and column i % 3.
BankCell bankCell(int index)
{
    static constexpr int kLefts[] = {60, 1440, 2820};
    static constexpr int kTops[] = {2460, 2820, 3180, 3540};
    return {kLefts[index % 3], kTops[index / 3]};
}
} // namespace

MainWindow::MainWindow(Services &services, AppState &state, MessageComposer &composer)
    : TwipsWindow(services.screen)
    , m_services(services)
    , m_state(state)
    , m_composer(composer)
{
    setWindowTitle(kProgramTitle);
    setWindowIcon(art::windowIcon());
    // Minimisable and closable; never resized nor maximised by the user.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    createControls();
    nameControls();
    describeControls();
    createMenu();
    connectHandlers();
    applyTabOrder();
}

MainWindow::~MainWindow()
{
    m_services.tray.onEvent = nullptr;
    m_services.tray.onAvailabilityChanged = nullptr;
    removeTrayIcon();
    delete trayMenu;
}

void MainWindow::createControls()
{

    // The saved-messages frame lies below the visible area for good.
    savedMessagesFrame = new QGroupBox(QStringLiteral("Mensajes Grabados"), this);
    place(savedMessagesFrame, 60, 3960, 5595, 855);
    deleteMessageButton = new PictureButton(QStringLiteral("Bo&rrar"), savedMessagesFrame);
    place(deleteMessageButton, 4680, 300, 795, 315);
    saveMessageButton = new PictureButton(QStringLiteral("Guar&dar"), savedMessagesFrame);
    place(saveMessageButton, 3840, 300, 795, 315);
    for (PictureButton *button : {saveMessageButton, deleteMessageButton}) {
        button->setPicture(art::smallStrip(false));
        button->setDownPicture(art::smallStrip(true));
    }
    savedMessagesCombo = new PickComboBox(true, savedMessagesFrame);
    savedMessagesCombo->setEditText(QStringLiteral("Combo1"));
    place(savedMessagesCombo, 120, 300, 3495, 315);

    // Holders of the two mode icons, below the client area.
    groupModePicture = new QLabel(this);
    place(groupModePicture, 660, 4920, 555, 555);
    groupModePicture->setPixmap(art::groupModeIcon().pixmap(32, 32));
    userModePicture = new QLabel(this);
    place(userModePicture, 60, 4920, 555, 555);
    userModePicture->setPixmap(art::userModeIcon().pixmap(32, 32));

    modeButton = new PictureButton(QStringLiteral("&Grupos"), this);
    place(modeButton, 4260, 480, 1395, 915);
    modeButton->setPicture(groupModePicture->pixmap());

    // The control panel, right of the client area until it slides in.
    controlPanel = new QGroupBox(QStringLiteral("Panel de Control"), this);
    place(controlPanel, 5760, 60, 1395, 3795);
    auto addPanelButton = [&](const QString &caption, int top) {
        auto *button = new PictureButton(caption, controlPanel);
        place(button, 60, top, 1275, 315);
        button->setPicture(art::panelStrip(false));
        button->setDownPicture(art::panelStrip(true));
        return button;
    };
    fontButton = addPanelButton(QStringLiteral("&Fuente texto"), 960);
    senderNameButton = addPanelButton(QStringLiteral("Tu &Nombre"), 2160);
    helpButton = addPanelButton(QStringLiteral("A&yuda"), 3360);
    helpButton->setEnabled(false);
    addGroupsButton = addPanelButton(QStringLiteral("&Añadir Grupos"), 2880);
    addGroupsButton->setEnabled(false);
    addUsersButton = addPanelButton(QStringLiteral("Añadir &Usuarios"), 2520);
    addUsersButton->setEnabled(false);
    backgroundColorButton = addPanelButton(QStringLiteral("Color &Fondo"), 1680);
    textColorButton = addPanelButton(QStringLiteral("Color &Texto"), 1320);
    minimizeToTrayCheck = new WrappingCheckBox(QStringLiteral("&Minimizar al systray"), controlPanel);
    place(minimizeToTrayCheck, 120, 360, 1155, 375);
    static constexpr int kMarkerTops[] = {240, 840, 2040, 3240};
    for (int i = 3; i >= 0; --i) {
        auto *marker = new QLabel(controlPanel);
        marker->setPixmap(art::markerImage());
        place(marker, 600, kMarkerTops[i], 165, 90);
        panelMarkers[std::size_t(i)] = marker;
    }

    panelButton = new PictureButton(QStringLiteral("&Configuración"), this);
    place(panelButton, 4260, 1440, 1395, 915);
    panelButton->setPicture(art::configPicture());

    pulseTimer = new QTimer(this);
    pulseTimer->setInterval(250);

    auto bankButton = [&](int index) {
        auto *button = new PictureButton(QString(), this);
        const BankCell cell = bankCell(index);
        place(button, cell.left, cell.top, 1395, 315);
        button->setPicture(art::bankStrip(false));
        button->setDownPicture(art::bankStrip(true));
        recipientButtons[std::size_t(index)] = button;
    };
    for (int i = 11; i >= 6; --i)
        bankButton(i);

    historyBar = new FocusableScrollBar(this);
    place(historyBar, 4260, 60, 195, 375);

    aboutButton = new PictureButton(QStringLiteral("Acerca de..."), this);
    place(aboutButton, 4260, 2460, 1395, 315);
    otherRecipientButton = new PictureButton(QStringLiteral("&Otro"), this);
    place(otherRecipientButton, 4260, 2820, 1395, 315);
    for (PictureButton *button : {otherRecipientButton, aboutButton}) {
        button->setPicture(art::bankStrip(false));
        button->setDownPicture(art::bankStrip(true));
    }

    messageEdit = new ExactTextBox(true, this);
    messageEdit->setMaxLength(900);
    place(messageEdit, 60, 60, 4155, 2295);

    for (int i = 5; i >= 0; --i)
        bankButton(i);

    // The glyph lies over its bitmap: the bitmap is created first so the
    // label paints on top.
    bannerPicture = new QLabel(this);
    bannerPicture->setPixmap(art::bannerBitmap());
    bannerPicture->setAlignment(Qt::AlignCenter);
    place(bannerPicture, 4260, 3180, 1395, 705);
    bannerGlyph = new ColorLabel(QString(QChar(0x00DF)), this);
    QFont glyphFont(QStringLiteral("Arial"));
    glyphFont.setPointSizeF(30);
    glyphFont.setWeight(QFont::Normal);
    bannerGlyph->setFont(glyphFont);
    bannerGlyph->setAlignment(Qt::AlignCenter);
    bannerGlyph->setAttribute(Qt::WA_TranslucentBackground);
    place(bannerGlyph, 4260, 3180, 1395, 675);

    historyLabel = new ColorLabel(QStringLiteral("Mensajes"), this);
    place(historyLabel, 4500, 120, 1155, 255);
}

// Tests, and anyone poking at the window, find each control by its role.
void MainWindow::nameControls()
{
    const std::pair<QObject *, const char *> named[] = {
        {messageEdit, "messageEdit"},
        {historyBar, "historyBar"},
        {historyLabel, "historyLabel"},
        {modeButton, "modeButton"},
        {panelButton, "panelButton"},
        {aboutButton, "aboutButton"},
        {otherRecipientButton, "otherRecipientButton"},
        {bannerPicture, "bannerPicture"},
        {bannerGlyph, "bannerGlyph"},
        {controlPanel, "controlPanel"},
        {minimizeToTrayCheck, "minimizeToTrayCheck"},
        {textColorButton, "textColorButton"},
        {backgroundColorButton, "backgroundColorButton"},
        {fontButton, "fontButton"},
        {addUsersButton, "addUsersButton"},
        {addGroupsButton, "addGroupsButton"},
        {senderNameButton, "senderNameButton"},
        {helpButton, "helpButton"},
        {savedMessagesFrame, "savedMessagesFrame"},
        {savedMessagesCombo, "savedMessagesCombo"},
        {saveMessageButton, "saveMessageButton"},
        {deleteMessageButton, "deleteMessageButton"},
        {userModePicture, "userModePicture"},
        {groupModePicture, "groupModePicture"},
        {pulseTimer, "pulseTimer"},
    };
    for (const auto &[control, name] : named)
        control->setObjectName(QLatin1String(name));
    for (int i = 0; i < kRecipientSlots; ++i)
        recipientButtons[std::size_t(i)]->setObjectName(QStringLiteral("recipientButton%1").arg(i));
    for (std::size_t i = 0; i < panelMarkers.size(); ++i)
        panelMarkers[i]->setObjectName(QStringLiteral("panelMarker%1").arg(i));
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
    minimizeToTrayCheck->setAccessibleDescription(
        QStringLiteral("Al minimizarla, la ventana se oculta en la bandeja del sistema"));
    const QString unavailable = QStringLiteral("No disponible: %1");
    addUsersButton->setAccessibleDescription(unavailable.arg(QStringLiteral("los usuarios se añaden en brisquel.ini")));
    addGroupsButton->setAccessibleDescription(unavailable.arg(QStringLiteral("los grupos se añaden en brisquel.ini")));
    helpButton->setAccessibleDescription(unavailable.arg(QStringLiteral("no hay ayuda")));
    describeControl(*bannerPicture, QStringLiteral("Dibujo de Brisquel"), QStringLiteral("Adorno"));
    describeControl(*bannerGlyph, QStringLiteral("Distintivo de Brisquel"),
                    QStringLiteral("La letra ß, que cambia de color"));
    for (QLabel *marker : panelMarkers)
        describeControl(*marker, QStringLiteral("Marca"), QStringLiteral("Adorno del panel de control"));

    // Out of sight for good, but a screen reader still finds them.
    const QString unused = QStringLiteral("Fuera de la vista: no se usa");
    describeControl(*savedMessagesCombo, QStringLiteral("Mensajes grabados"), unused);
    describeControl(*saveMessageButton, spokenCaption(saveMessageButton->text()), unused);
    describeControl(*deleteMessageButton, spokenCaption(deleteMessageButton->text()), unused);
    describeControl(*userModePicture, QStringLiteral("Icono del modo usuarios"), unused);
    describeControl(*groupModePicture, QStringLiteral("Icono del modo grupos"), unused);
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

void MainWindow::createMenu()
{
    // Its own window, not a child of this one: it opens from the tray even
    // while the quick-message strip keeps this window out of use.
    trayMenu = new QMenu(QStringLiteral("MenuPopUp"));
    trayMenu->setObjectName(QStringLiteral("trayMenu"));
    quickMessageAction = trayMenu->addAction(QStringLiteral("&Mensaje Rápido"));
    trayMenu->addSeparator();
    restoreAction = trayMenu->addAction(QStringLiteral("&Restaurar"));
    trayMenu->addSeparator();
    quitAction = trayMenu->addAction(QStringLiteral("&Salir"));
    quickMessageAction->setObjectName(QStringLiteral("quickMessageAction"));
    restoreAction->setObjectName(QStringLiteral("restoreAction"));
    quitAction->setObjectName(QStringLiteral("quitAction"));
    QFont bold = quitAction->font();
    bold.setBold(true);
    quitAction->setFont(bold);
    trayMenu->setDefaultAction(quitAction);
}

// Only controls that take the focus: a frame or a label in the chain would
// drag its whole block of children along with it.
void MainWindow::applyTabOrder()
{
    std::vector<std::pair<int, QWidget *>> order{
        {0, messageEdit}, {7, otherRecipientButton}, {8, aboutButton}, {9, historyBar}, {18, panelButton},
        {20, minimizeToTrayCheck}, {21, textColorButton}, {22, backgroundColorButton}, {23, addUsersButton}, {24, addGroupsButton},
        {25, helpButton}, {26, senderNameButton}, {27, fontButton}, {28, modeButton}, {32, savedMessagesCombo},
        {33, saveMessageButton}, {34, deleteMessageButton},
    };
    for (int i = 0; i < 6; ++i)
        order.emplace_back(1 + i, recipientButtons[i]);
    for (int i = 6; i < 12; ++i)
        order.emplace_back(11 + i - 6, recipientButtons[i]);
    brisquel::applyTabOrder(std::move(order));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    unload();
    event->accept();
}

} // namespace brisquel
