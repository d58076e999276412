// Templates, controls and icons of the dialog base and the question and input boxes. Plain
// defines, so the resource compiler reads them too.
#pragma once

#define IDR_DIALOG_MENU_BASE 140 /* + language */
#define IDD_QUESTION         10996
#define IDD_INPUT            10997
#define IDI_ANSWER_YES       11100
#define IDI_ANSWER_NO        11101
#define IDC_STATUS_LINE      11037
#define IDC_PROGRESS         11038
#define IDC_QUESTION_HEADING 1030
#define IDC_QUESTION_TEXT    1031
#define IDC_QUESTION_BUTTON1 1032
#define IDC_QUESTION_BUTTON2 1033
#define IDC_QUESTION_BUTTON3 1034
#define IDC_INPUT_EDIT       1035
