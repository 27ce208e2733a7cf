#pragma once
// The program's six windows, each created once for the whole run.
#include <memory>

namespace quillet::ui {

class TSDIAppForm;
class TAboutBox;
class TOKRightDlg;
class TOKRightDlg1;
class TForm1;
class TForm2;
class Prompter;

struct ApplicationForms {
  std::unique_ptr<TSDIAppForm> SDIAppForm;  // owns the five dialogs below
  TAboutBox* AboutBox = nullptr;
  TOKRightDlg* OKRightDlg = nullptr;
  TOKRightDlg1* OKRightDlg1 = nullptr;
  TForm1* Form1 = nullptr;
  TForm2* Form2 = nullptr;

  ApplicationForms();
  ApplicationForms(ApplicationForms&&) noexcept;
  ~ApplicationForms();

  // Shows every form's message boxes and modal dialogs through `prompter`.
  void setPrompter(Prompter& prompter);
};

// Fills the language tables, then creates the main window and the dialogs in the
// start-up order: main window, About box, item settings, custom item type, name
// editor, unsupported blocks viewer. Nothing is shown yet.
ApplicationForms CreateForms();

}  // namespace quillet::ui
