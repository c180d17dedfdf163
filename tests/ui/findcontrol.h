#pragma once

#include "ui/kit/colorlabel.h"
#include "ui/kit/exacttextbox.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/kit/pickcombobox.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/wrappingcheckbox.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>

namespace brisquel {

// A window's control found by its name, as a user finds it by sight. A
// missing control ends the test at once, naming what was looked for.
template <class Control>
Control *findControl(const QObject &window, const QString &name)
{
    auto *control = window.findChild<Control *>(name);
    if (control == nullptr)
        qFatal("no %s named \"%s\" in %s", Control::staticMetaObject.className(), qPrintable(name),
               window.metaObject()->className());
    return control;
}

inline ExactTextBox *textBox(const QObject &window, const QString &name)
{
    return findControl<ExactTextBox>(window, name);
}
inline PictureButton *button(const QObject &window, const QString &name)
{
    return findControl<PictureButton>(window, name);
}
inline PictureButton *recipientButton(const QObject &window, int slot)
{
    return button(window, QStringLiteral("recipientButton%1").arg(slot));
}
inline FocusableScrollBar *scrollBar(const QObject &window, const QString &name)
{
    return findControl<FocusableScrollBar>(window, name);
}
inline WrappingCheckBox *checkBox(const QObject &window, const QString &name)
{
    return findControl<WrappingCheckBox>(window, name);
}
inline PickComboBox *comboBox(const QObject &window, const QString &name)
{
    return findControl<PickComboBox>(window, name);
}
inline ColorLabel *colorLabel(const QObject &window, const QString &name)
{
    return findControl<ColorLabel>(window, name);
}
inline QLabel *picture(const QObject &window, const QString &name)
{
    return findControl<QLabel>(window, name);
}
inline QGroupBox *frame(const QObject &window, const QString &name)
{
    return findControl<QGroupBox>(window, name);
}
inline QTimer *timer(const QObject &window, const QString &name)
{
    return findControl<QTimer>(window, name);
}

// The tray icon's menu: a window of its own, so that it opens while a dialog
// keeps the main window out of use.
inline QMenu *trayMenu()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("trayMenu"))
            return qobject_cast<QMenu *>(window);
    }
    qFatal("no tray menu");
}
inline QAction *trayAction(const QString &name)
{
    return findControl<QAction>(*trayMenu(), name);
}

} // namespace brisquel
