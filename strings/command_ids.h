// The numbers of the program's commands. Each is also the number of its prompt in the string
// table. Plain defines, so the resource compiler reads them too.
#pragma once

// Framework commands.
#define ID_FILE_NEW           57600
#define ID_FILE_OPEN          57601
#define ID_FILE_CLOSE         57602
#define ID_FILE_SAVE          57603
#define ID_FILE_SAVE_AS       57604
#define ID_FILE_PAGE_SETUP    57606
#define ID_FILE_PRINT         57607
#define ID_FILE_PRINT_DIRECT  57608
#define ID_FILE_PRINT_PREVIEW 57609
#define ID_FILE_MRU_FILE1     57616
#define ID_FILE_MRU_LAST      57631 /* the recent files' range ends here */
#define ID_EDIT_COPY          57634
#define ID_EDIT_CUT           57635
#define ID_EDIT_FIND          57636
#define ID_EDIT_PASTE         57637
#define ID_EDIT_UNDO          57643
#define ID_WINDOW_CASCADE     57650
#define ID_WINDOW_TILE_HORZ   57651
#define ID_APP_EXIT           57665
#define ID_NEXT_PANE          57680
#define ID_PREV_PANE          57681
#define ID_VIEW_STATUS_BAR    59393

// The program's commands.
#define ID_VIEW_FILE_TOOLBAR       9020
#define ID_VIEW_PERIOD_TOOLBAR     9021
#define ID_SERVER_CONNECT_LOCAL    9032
#define ID_SERVER_CONNECT_REMOTE   9033
#define ID_SERVER_DISCONNECT_ALL   9034
#define ID_SERVER_DISCONNECT_FIRST 9035
#define ID_GRAPH_LEGEND            9052
#define ID_GRAPH_BROWSE_FIRST      9053
#define ID_GRAPH_REMOVE_TAGS       9063
#define ID_GRAPH_REFRESH           9064
#define ID_GRAPH_AUTOSCALE         9065
#define ID_GRAPH_REPAINT           9066
#define ID_GRAPH_TRACE_CURSOR      9069
#define ID_GRID_SHOW_WAVES         9170
#define ID_GRID_HIDE_WAVES         9171
#define ID_FILE_EXPORT             9198
#define ID_OPTIONS_CONFIGURE       9070
#define ID_WINDOW_DOCUMENT_FIRST   9010
#define ID_WINDOW_NEXT_DOCUMENT    9080
#define ID_APP_ABOUT               9090
#define ID_BROWSE_LAST_CONNECTION  1200
#define ID_PERIOD_UNLOCK           1204
#define ID_PERIOD_LOCK             1205
#define ID_PERIOD_PREVIOUS         1206
#define ID_PERIOD_REFRESH          1207
#define ID_PERIOD_NEXT             1208
#define ID_PERIOD_CURRENT          1209
#define ID_LANGUAGE_FRENCH         11050
#define ID_LANGUAGE_ENGLISH        11051
#define ID_LANGUAGE_GERMAN         11052
#define ID_LANGUAGE_SPANISH        11053 /* in no menu; the language commands are one range */
#define ID_LANGUAGE_DUTCH          11054
#define ID_HELP_MANUAL             11082
