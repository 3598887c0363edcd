// The program block: the application object, the main window from its stored description, the
// message loop.
#include "app/MainWindow.h"

void TvRegisterResources_viewer();

int main()
{
    TvRegisterResources_viewer();
    RegisterViewerClasses();
    Application->Initialize();
    Application->CreateForm(fKAVRO_IN_D_485_Viewer);
    Application->Run();
    return 0;
}
