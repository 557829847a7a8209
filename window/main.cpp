#include "controls/look_and_feel.h"
#include "draw/draw_folder.h"
#include "platform/detectable_auto_repeat.h"
#include "platform/dialogs.h"
#include "platform/draw_folder_lock.h"
#include "platform/editor_launch.h"
#include "platform/error_reporting_application.h"
#include "platform/fonts.h"
#include "platform/hint_style.h"
#include "platform/key_repeat_filter.h"
#include "platform/sound.h"
#include "window/unit1.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    ErrorReportingApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("luckydraw"));
    QApplication::setStyle(new HintStyle);
    installFontSubstitutions();
    // Every control's look and feel inherits from the root: it outlives them all.
    TRootLookAndFeelScope rootLookAndFeel;
    // A held Space or PageDown must start or stop a draw once, on its real release.
    enableDetectableAutoRepeat();
    KeyRepeatFilter keyRepeat;

    ModalDialogs dialogs;
    // One window per draw folder, for as long as this program runs.
    const DrawFolderLock drawFolderLock(QString::fromUtf8(draw::files::kDrawFolder));
    if (drawFolderLock.isHeldElsewhere()) {
        dialogs.showError(drawFolderLock.refusal());
        return 1;
    }
    WavSoundPlayer sound;
    DesktopEditorLauncher editor;
    FormServices services;
    services.dialogs = &dialogs;
    services.sound = &sound;
    services.editor = &editor;
    services.screenWidth = [] {
        QScreen *screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().width() : 0;
    };

    TForm1 form(services);
    dialogs.setOwner(&form);
    // Centred on the desktop when first shown.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    form.show();
    return app.exec();
}
