#include "form1.h"

#include "ui/art/pictures.h"
#include "platform/trayicon.h"
#include "ui/forms.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/taborder.h"
#include "ui/kit/twips.h"
#include "ui/kit/vbcheckbox.h"
#include "ui/kit/vbcombobox.h"
#include "ui/kit/vblabel.h"
#include "ui/kit/vbscrollbar.h"
#include "ui/kit/vbtextbox.h"

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

Form1::Form1(Forms &forms)
    : VbForm(forms.services().screen)
    , m_forms(forms)
    , m_state(forms.state())
    , m_services(forms.services())
{
    setCaption(QStringLiteral("Brisquel v2.4b"));
    setWindowIcon(art::windowIcon());
    // Minimisable and closable; never resized nor maximised by the user.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    createControls();
    createMenu();
    connectHandlers();
    applyTabOrder();
}

Form1::~Form1()
{
    m_services.tray.onEvent = nullptr;
    m_services.tray.onAvailabilityChanged = nullptr;
    Form_Terminate();
    delete mnuPopUp;
}

void Form1::createControls()
{
    const ScreenMetrics &m = metrics();
    auto place = [&m](QWidget *w, int left, int top, int width, int height) {
        placeTwips(w, left, top, width, height, m);
    };

    // The saved-messages frame lies below the visible area for good.
    Frame2 = new QGroupBox(QStringLiteral("Mensajes Grabados"), this);
    place(Frame2, 60, 3960, 5595, 855);
    Command10.add(1, new PictureButton(QStringLiteral("Bo&rrar"), Frame2));
    place(Command10(1), 4680, 300, 795, 315);
    Command10.add(0, new PictureButton(QStringLiteral("Guar&dar"), Frame2));
    place(Command10(0), 3840, 300, 795, 315);
    for (auto [index, button] : Command10) {
        Q_UNUSED(index);
        button->setPicture(art::smallStrip(false));
        button->setDownPicture(art::smallStrip(true));
    }
    Combo1 = new VbComboBox(true, Frame2);
    Combo1->setEditText(QStringLiteral("Combo1"));
    place(Combo1, 120, 300, 3495, 315);

    // Holders of the two mode icons, below the client area.
    Picture1.add(1, new QLabel(this));
    place(Picture1(1), 660, 4920, 555, 555);
    Picture1(1)->setPixmap(art::groupModeIcon().pixmap(32, 32));
    Picture1.add(0, new QLabel(this));
    place(Picture1(0), 60, 4920, 555, 555);
    Picture1(0)->setPixmap(art::userModeIcon().pixmap(32, 32));

    Command9.add(0, new PictureButton(QStringLiteral("&Grupos"), this));
    place(Command9(0), 4260, 480, 1395, 915);
    Command9(0)->setPicture(Picture1(1)->pixmap());

    // The control panel, right of the client area until it slides in.
    Frame1 = new QGroupBox(QStringLiteral("Panel de Control"), this);
    place(Frame1, 5760, 60, 1395, 3795);
    auto panelButton = [&](const QString &caption, int top) {
        auto *button = new PictureButton(caption, Frame1);
        place(button, 60, top, 1275, 315);
        button->setPicture(art::panelStrip(false));
        button->setDownPicture(art::panelStrip(true));
        return button;
    };
    Command4.add(2, panelButton(QStringLiteral("&Fuente texto"), 960));
    Command8 = panelButton(QStringLiteral("Tu &Nombre"), 2160);
    Command7 = panelButton(QStringLiteral("A&yuda"), 3360);
    Command7->setEnabled(false);
    Command6 = panelButton(QStringLiteral("&Añadir Grupos"), 2880);
    Command6->setEnabled(false);
    Command5 = panelButton(QStringLiteral("Añadir &Usuarios"), 2520);
    Command5->setEnabled(false);
    Command4.add(1, panelButton(QStringLiteral("Color &Fondo"), 1680));
    Command4.add(0, panelButton(QStringLiteral("Color &Texto"), 1320));
    Check1 = new VbCheckBox(QStringLiteral("&Minimizar al systray"), Frame1);
    place(Check1, 120, 360, 1155, 375);
    static constexpr int kMarkerTops[] = {240, 840, 2040, 3240};
    for (int i = 3; i >= 0; --i) {
        auto *marker = new QLabel(Frame1);
        marker->setPixmap(art::markerImage());
        place(marker, 600, kMarkerTops[i], 165, 90);
        Image2.add(i, marker);
    }

    Command3 = new PictureButton(QStringLiteral("&Configuración"), this);
    place(Command3, 4260, 1440, 1395, 915);
    Command3->setPicture(art::configPicture());

    Timer1 = new QTimer(this);
    Timer1->setInterval(250);

    auto bankButton = [&](int index) {
        auto *button = new PictureButton(QString(), this);
        const BankCell cell = bankCell(index);
        place(button, cell.left, cell.top, 1395, 315);
        button->setPicture(art::bankStrip(false));
        button->setDownPicture(art::bankStrip(true));
        Command1.add(index, button);
    };
    for (int i = 11; i >= 6; --i)
        bankButton(i);

    VScroll1 = new VbScrollBar(this);
    place(VScroll1, 4260, 60, 195, 375);

    Command2.add(1, new PictureButton(QStringLiteral("Acerca de..."), this));
    place(Command2(1), 4260, 2460, 1395, 315);
    Command2.add(0, new PictureButton(QStringLiteral("&Otro"), this));
    place(Command2(0), 4260, 2820, 1395, 315);
    for (auto [index, button] : Command2) {
        Q_UNUSED(index);
        button->setPicture(art::bankStrip(false));
        button->setDownPicture(art::bankStrip(true));
    }

    Text1 = new VbTextBox(true, this);
    Text1->setMaxLength(900);
    place(Text1, 60, 60, 4155, 2295);

    for (int i = 5; i >= 0; --i)
        bankButton(i);

    // The glyph lies over its bitmap: the bitmap is created first so the
    // label paints on top.
    Image1 = new QLabel(this);
    Image1->setPixmap(art::bannerBitmap());
    Image1->setAlignment(Qt::AlignCenter);
    place(Image1, 4260, 3180, 1395, 705);
    Label2 = new VbLabel(QString(QChar(0x00DF)), this);
    QFont glyphFont(QStringLiteral("Arial"));
    glyphFont.setPointSizeF(30);
    glyphFont.setWeight(QFont::Normal);
    Label2->setFont(glyphFont);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setAttribute(Qt::WA_TranslucentBackground);
    place(Label2, 4260, 3180, 1395, 675);

    Label1 = new VbLabel(QStringLiteral("Mensajes"), this);
    place(Label1, 4500, 120, 1155, 255);
}

void Form1::createMenu()
{
    // Its own window, not a child of this one: it opens from the tray even
    // while the quick-message strip keeps this window out of use.
    mnuPopUp = new QMenu(QStringLiteral("MenuPopUp"));
    mnuMensajeRapido = mnuPopUp->addAction(QStringLiteral("&Mensaje Rápido"));
    mnuPopUp->addSeparator();
    mnuRestaurar = mnuPopUp->addAction(QStringLiteral("&Restaurar"));
    mnuPopUp->addSeparator();
    mnuSalir = mnuPopUp->addAction(QStringLiteral("&Salir"));
    QFont bold = mnuSalir->font();
    bold.setBold(true);
    mnuSalir->setFont(bold);
    mnuPopUp->setDefaultAction(mnuSalir);
}

// Only controls that take the focus: a frame or a label in the chain would
// drag its whole block of children along with it.
void Form1::applyTabOrder()
{
    std::vector<std::pair<int, QWidget *>> order{
        {0, Text1}, {7, Command2(0)}, {8, Command2(1)}, {9, VScroll1}, {18, Command3},
        {20, Check1}, {21, Command4(0)}, {22, Command4(1)}, {23, Command5}, {24, Command6},
        {25, Command7}, {26, Command8}, {27, Command4(2)}, {28, Command9(0)}, {32, Combo1},
        {33, Command10(0)}, {34, Command10(1)},
    };
    for (int i = 0; i < 6; ++i)
        order.emplace_back(1 + i, Command1(i));
    for (int i = 6; i < 12; ++i)
        order.emplace_back(11 + i - 6, Command1(i));
    brisquel::applyTabOrder(std::move(order));
}

void Form1::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

} // namespace brisquel
