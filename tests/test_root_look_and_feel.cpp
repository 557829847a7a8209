#include "controls/look_and_feel.h"

#include <QCoreApplication>

// As the program does: the root look and feel exists before any control and
// goes when the application ends.
namespace {

void destroyRoot()
{
    TLookAndFeel::destroyRoot();
}

void createRoot()
{
    TLookAndFeel::createRoot();
    qAddPostRoutine(destroyRoot);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(createRoot)
