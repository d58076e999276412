// Resource numbers of the printing windows. Plain defines, so the resource compiler reads them.
#pragma once

#define IDD_PRINTING          9088
#define IDC_PRINTING_DOCUMENT 201
#define IDC_PRINTING_PRINTER  202
#define IDC_PRINTING_PORT     203
#define IDC_PRINTING_PAGE     204

#define IDD_PAGE_SETUP              9080
#define IDC_PAGE_SETUP_TOP          9082
#define IDC_PAGE_SETUP_BOTTOM       9083
#define IDC_PAGE_SETUP_LEFT         9084
#define IDC_PAGE_SETUP_RIGHT        9085
#define IDC_PAGE_SETUP_UNIT         9086
#define IDC_PAGE_SETUP_MARGINS      9087
#define IDC_PAGE_SETUP_TOP_LABEL    9091
#define IDC_PAGE_SETUP_BOTTOM_LABEL 9092
#define IDC_PAGE_SETUP_LEFT_LABEL   9093
#define IDC_PAGE_SETUP_RIGHT_LABEL  9094
