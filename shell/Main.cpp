// The program's entry point: the application object, its main form read from the
// executable's resources, and the message loop.

#include <windows.h>

#include <string>

#include "toolkit/core/Exception.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/FormReader.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/StdCtrls.h"

namespace {

// The main form. Its controls and menu come from its stored description; File > Exit and
// OK close it, which ends the program.
class TDemoForm : public tk::TForm {
  TK_CLASS(TDemoForm, tk::TForm)

 public:
  explicit TDemoForm(tk::TComponent* owner) : TForm(owner) {
    SetOnCreate([this](tk::TObject*) { Connect(); });
  }

 private:
  template <typename T>
  T& Child(const char* name) {
    tk::TComponent* component = FindComponent(name);
    if (component == nullptr || !component->Is<T>())
      throw tk::Exception(std::string("The stored form has no ") + name);
    return static_cast<T&>(*component);
  }

  void Connect() {
    SetMenu(&Child<tk::TMainMenu>("FileMenu"));
    Child<tk::TMenuItem>("ExitItem").SetOnClick([this](tk::TObject*) { Close(); });
    Child<tk::TButton>("OkButton").SetOnClick([this](tk::TObject*) { Close(); });
  }
};

void RegisterStoredClasses() {
  tk::RegisterComponentClass<tk::TLabel>();
  tk::RegisterComponentClass<tk::TEdit>();
  tk::RegisterComponentClass<tk::TCheckBox>();
  tk::RegisterComponentClass<tk::TButton>();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    RegisterStoredClasses();
    tk::TApplication application;
    application.Initialize();
    application.SetTitle("Orvandel");
    application.CreateForm<TDemoForm>();
    application.Run();
    return 0;
  } catch (const tk::Exception& e) {
    MessageBoxA(nullptr, e.what(), "Orvandel", MB_ICONERROR | MB_OK);
    return 1;
  }
}
