// The program block: the application object, the main window from its stored description, the
// message loop, and the end of it all before main returns.
#include "app/MainWindow.h"

void TvRegisterResources_viewer();

int main()
{
    TvRegisterResources_viewer();
    RegisterViewerClasses();
    Application->Initialize();
    Application->CreateForm(fKAVRO_IN_D_485_Viewer);
    Application->Run();
    // The window, its port and the port's threads go while the event loop still serves them.
    DoneApplication();
    fKAVRO_IN_D_485_Viewer = nullptr;
    return 0;
}
