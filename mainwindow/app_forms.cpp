#include "app_forms.h"

#include "about_box.h"
#include "blocks_viewer_dialog.h"
#include "custom_type_dialog.h"
#include "item_settings_dialog.h"
#include "language_tables.h"
#include "main_window.h"
#include "name_editor_dialog.h"

namespace quillet::ui {

ApplicationForms::ApplicationForms() = default;
ApplicationForms::ApplicationForms(ApplicationForms&&) noexcept = default;
ApplicationForms::~ApplicationForms() = default;

void ApplicationForms::setPrompter(Prompter& prompter) {
  SDIAppForm->setPrompter(prompter);
  OKRightDlg->setPrompter(prompter);
  OKRightDlg1->setPrompter(prompter);
  Form1->setPrompter(prompter);
}

ApplicationForms CreateForms() {
  Languages();  // the item dialogs read the tables from their first moment
  ApplicationForms forms;
  forms.SDIAppForm = std::make_unique<TSDIAppForm>();
  TSDIAppForm* main = forms.SDIAppForm.get();
  forms.AboutBox = new TAboutBox(main);
  forms.OKRightDlg = new TOKRightDlg(main);
  forms.OKRightDlg1 = new TOKRightDlg1(main);
  forms.Form1 = new TForm1(main);
  forms.Form2 = new TForm2(main);
  main->setAboutBox(forms.AboutBox);
  main->setItemSettingsDialog(forms.OKRightDlg);
  forms.OKRightDlg->SetCompanions(forms.Form1, forms.OKRightDlg1, forms.Form2);
  return forms;
}

}  // namespace quillet::ui
