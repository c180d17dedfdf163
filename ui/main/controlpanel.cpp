#include "controlpanel.h"

#include "ui/art/pictures.h"
#include "ui/kit/accessibletext.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/twipswindow.h"
#include "ui/kit/wrappingcheckbox.h"

#include <QLabel>

namespace brisquel {

ControlPanel::ControlPanel(TwipsWindow &window)
    : QGroupBox(QStringLiteral("Panel de Control"), &window)
{
    // Made bottom-up, as the panel has always been drawn; Tab goes top-down.
    fontButton = addButton(window, QStringLiteral("&Fuente texto"), "fontButton", 960, 27);
    senderNameButton = addButton(window, QStringLiteral("Tu &Nombre"), "senderNameButton", 2160, 26);
    helpButton = addButton(window, QStringLiteral("A&yuda"), "helpButton", 3360, 25);
    helpButton->setEnabled(false);
    addGroupsButton = addButton(window, QStringLiteral("&Añadir Grupos"), "addGroupsButton", 2880, 24);
    addGroupsButton->setEnabled(false);
    addUsersButton = addButton(window, QStringLiteral("Añadir &Usuarios"), "addUsersButton", 2520, 23);
    addUsersButton->setEnabled(false);
    backgroundColorButton = addButton(window, QStringLiteral("Color &Fondo"), "backgroundColorButton", 1680, 22);
    textColorButton = addButton(window, QStringLiteral("Color &Texto"), "textColorButton", 1320, 21);
    minimizeToTrayCheck = window.declare(new WrappingCheckBox(QStringLiteral("&Minimizar al systray"), this),
                                         "minimizeToTrayCheck", {120, 360, 1155, 375}, 20);
    static constexpr int kMarkerTops[] = {240, 840, 2040, 3240};
    for (int i = 3; i >= 0; --i) {
        QLabel *marker = window.declare(new QLabel(this), QStringLiteral("panelMarker%1").arg(i),
                                        {600, kMarkerTops[i], 165, 90});
        marker->setPixmap(art::markerImage());
        describeControl(*marker, QStringLiteral("Marca"), QStringLiteral("Adorno del panel de control"));
        markers[std::size_t(i)] = marker;
    }

    minimizeToTrayCheck->setAccessibleDescription(
        QStringLiteral("Al minimizarla, la ventana se oculta en la bandeja del sistema"));
    const QString unavailable = QStringLiteral("No disponible: %1");
    addUsersButton->setAccessibleDescription(unavailable.arg(QStringLiteral("los usuarios se añaden en brisquel.ini")));
    addGroupsButton->setAccessibleDescription(unavailable.arg(QStringLiteral("los grupos se añaden en brisquel.ini")));
    helpButton->setAccessibleDescription(unavailable.arg(QStringLiteral("no hay ayuda")));
    fontButton->setToolTip(QStringLiteral("Pulsa el botón para seleccionar la fuente del texto"));
    textColorButton->setToolTip(QStringLiteral("Pulsa el botón para seleccionar el color del texto"));
    backgroundColorButton->setToolTip(QStringLiteral("Pulsa el botón para seleccionar el fondo del texto"));
    senderNameButton->setToolTip(QStringLiteral("Pulsa para más información"));

    connect(textColorButton, &QPushButton::clicked, this, &ControlPanel::textColorRequested);
    connect(backgroundColorButton, &QPushButton::clicked, this, &ControlPanel::backgroundColorRequested);
    connect(fontButton, &QPushButton::clicked, this, &ControlPanel::fontRequested);
    connect(senderNameButton, &QPushButton::clicked, this, &ControlPanel::senderNameRequested);
    connect(minimizeToTrayCheck, &QCheckBox::toggled, this, &ControlPanel::minimizeToTrayChanged);
    connect(minimizeToTrayCheck, &QAbstractButton::clicked, this, &ControlPanel::minimizeToTrayClicked);
    connect(minimizeToTrayCheck, &WrappingCheckBox::characterKey, this, &ControlPanel::characterKey);
}

PictureButton *ControlPanel::addButton(TwipsWindow &window, const QString &caption, const char *name, int top,
                                       int tabStop)
{
    PictureButton *button = window.declare(new PictureButton(caption, this), name, {60, top, 1275, 315}, tabStop);
    button->setPicture(art::panelStrip(false));
    button->setDownPicture(art::panelStrip(true));
    return button;
}

} // namespace brisquel
