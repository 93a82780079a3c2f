// The program's entry point: the single-instance guard, then the application object with its
// main form read from the executable's resources, and the message loop.

#include <windows.h>

#include <objbase.h>

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

// The folder browser and the file dialogs' shell views need a single-threaded COM apartment
// on the GUI thread for as long as the program runs.
class TComApartment {
 public:
  TComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~TComApartment() {
    if (initialized_) CoUninitialize();
  }
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;

 private:
  bool initialized_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (orv::AnotherInstanceRunning()) return 0;
  const TComApartment com;
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
