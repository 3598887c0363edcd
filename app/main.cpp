// The program block: the application object, the chart units, the main window from its stored
// description, the message loop, and the end of it all before main returns.
#include "app/ChartUnits.h"
#include "app/MainWindow.h"

void TvRegisterResources_viewer();

int main()
{
    TvRegisterResources_viewer();
    RegisterViewerClasses();
    Application->Initialize();
    // After the application object, which the engine's fonts need; before the window, whose chart
    // needs the engine and its series types.
    StartChartUnits();
    Application->CreateForm(fKAVRO_IN_D_485_Viewer);
    Application->Run();
    // The window, its port and the port's threads go while the event loop still serves them; the
    // engine outlives the window's chart.
    DoneApplication();
    fKAVRO_IN_D_485_Viewer = nullptr;
    StopChartUnits();
    return 0;
}
