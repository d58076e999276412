// Templates and controls of the custom period, calendar and find dialogs. Plain defines, so the
// resource compiler reads them too.
#pragma once

#define IDD_OTHER_PERIOD       1960
#define IDC_PERIOD_START_LABEL 1961
#define IDC_PERIOD_STOP_LABEL  1962
#define IDC_PERIOD_START       1963
#define IDC_PERIOD_STOP        1964
#define IDC_PERIOD_PICK_START  1965
#define IDC_PERIOD_PICK_STOP   1966

#define IDD_DATE_TIME     15640
#define IDC_DATE_CALENDAR 15642

#define IDD_FIND            10970
#define IDD_FIND_FRENCH     10971
#define IDC_FIND_TEXT       10971
#define IDC_FIND_WHOLE_WORD 10974
#define IDC_FIND_MATCH_CASE 10975
#define IDC_FIND_UP         10977
#define IDC_FIND_DOWN       10978
