// Templates and controls of the machine, server, item and removal dialogs. Controls that show a
// string-table text carry that text's number. Plain defines, so the resource compiler reads them.
#pragma once

#define IDI_ADD    11111
#define IDI_DELETE 11105

#define IDD_MACHINE        1746
#define IDC_MACHINE_PROMPT 1747
#define IDC_MACHINE_EDIT   1749

#define IDD_BROWSE_SERVER        1740
#define IDC_SERVER_GROUP         1741
#define IDC_SERVER_LABEL         1742
#define IDC_SERVER_MACHINE_LABEL 1743
#define IDC_SERVER_RECONNECT     1744
#define IDC_SERVER_MACHINE       1745
#define IDC_SERVER_LIST          1748

#define IDD_BROWSE_ITEMS      1760
#define IDC_ITEM_FILTER_GROUP 1761
#define IDC_ITEM_FILTER       1762
#define IDC_ITEM_LIST         1763
#define IDC_ITEM_ADD          1764

#define IDD_REMOVE_ITEMS  1780
#define IDC_REMOVE_LIST   1781
#define IDC_REMOVE_DELETE 1782
