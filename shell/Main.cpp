// The program's entry point: the single-instance guard, then the application object with its
// main form read from the executable's resources, and the message loop.

#include <windows.h>

#include "MainForm.h"
#include "MdiForms.h"
#include "SecondForm.h"
#include "SingleInstance.h"
#include "toolkit/core/Exception.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/FormReader.h"
#include "toolkit/win/StdCtrls.h"

namespace {

void RegisterStoredClasses() {
  tk::RegisterComponentClass<tk::TLabel>();
  tk::RegisterComponentClass<tk::TEdit>();
  tk::RegisterComponentClass<tk::TCheckBox>();
  tk::RegisterComponentClass<tk::TButton>();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (orv::AnotherInstanceRunning()) return 0;
  try {
    RegisterStoredClasses();
    tk::TApplication application;
    application.Initialize();
    application.SetTitle("Orvandel");
    application.CreateForm<orv::TMainForm>();
    application.Run();
    return 0;
  } catch (const tk::Exception& e) {
    MessageBoxA(nullptr, e.what(), "Orvandel", MB_ICONERROR | MB_OK);
    return 1;
  }
}
