// The board type code "M K S" typed into Edit1: what typing does to the
// text, applying a complete code to the export boxes, and the export box
// click that keeps the counts and writes them back into the code.
#pragma once

#include "app/main_form_model.h"
#include "widgets/controls.h"

// Key handler of Edit1. Key 0 on return means the key was swallowed;
// Backspace (8) and the blank (32) pass to the field unchanged.
void Edit1KeyPress(MainFormModel& form, wchar_t& Key);

// Records whose editor layer class is below 3 (signal, plane, unclassified).
int getmaxmet();

// Click handler of every export box; runs after the state has changed.
void CheckBoxClick(MainFormModel& form, widgets::CheckBox& Sender);

// Position of the record whose export box is cb (the last if several), or -1.
int getcbid(const widgets::CheckBox* cb);

// Applies the text of Edit1 when it is a complete code (three fields);
// otherwise does nothing. A field that is not an integer raises the
// invalid-integer error before any box changes.
void applyTypeCode(MainFormModel& form);
