// The main window's state as it is when the window opens.
#include "app/main_form_model.h"

MainFormModel::MainFormModel() {
  CheckBox1.caption = L"Привязка к типу";
  CheckBox1.setChecked(true);
  CheckBox2.caption = L"Переходные закрыты маской.";
  CheckBox2.setChecked(true);
}
