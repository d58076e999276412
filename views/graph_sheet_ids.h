// Templates, icons, commands and controls of the graph's settings sheet and legend. Plain
// defines, so the resource compiler reads them too. A label's number is the number of its text in
// the string table, so the pages set their texts from one table.
#pragma once

#define IDD_GRAPH_GENERAL_PAGE 1795
#define IDD_GRAPH_WAVES_PAGE   1796
#define IDD_GRAPH_AXIS_PAGE    1797
#define IDD_GRAPH_LEGEND       1882

/* The tabs' icons, and the commands that select the pages. */
#define IDI_GRAPH_GENERAL_TAB 1790
#define IDI_GRAPH_WAVES_TAB   1791
#define IDI_GRAPH_AXIS_TAB    1792
#define ID_GRAPH_PAGE_GENERAL 1790
#define ID_GRAPH_PAGE_WAVES   1791
#define ID_GRAPH_PAGE_AXIS    1792

#define IDC_LEGEND_LIST   3000
#define IDC_PAGE_DEFAULTS 11110

/* General page. */
#define IDC_GRAPH_BACKGROUND   2020
#define IDC_GRAPH_SCREEN_COLOR 11121
#define IDC_GRAPH_PRINT_COLOR  11122

/* Waves page. */
#define IDC_PLOT_PAGE_TEXT         1930
#define IDC_PLOT_LIST              3001
#define IDC_PLOT_PROPERTIES        1920
#define IDC_PLOT_HIDDEN            1921
#define IDC_PLOT_STYLE_LABEL       1922
#define IDC_PLOT_STYLE             3002
#define IDC_PLOT_X_AXIS_LABEL      1928
#define IDC_PLOT_X_AXIS            3003
#define IDC_PLOT_Y_AXIS_LABEL      1929
#define IDC_PLOT_Y_AXIS            3004
#define IDC_PLOT_LINES             1931
#define IDC_PLOT_LINE_WIDTH_LABEL  1924
#define IDC_PLOT_LINE_WIDTH        3005
#define IDC_PLOT_LINE_COLOR        1925
#define IDC_PLOT_FILL_COLOR        1926
#define IDC_PLOT_MARKERS           1932
#define IDC_PLOT_MARKER_LABEL      1923
#define IDC_PLOT_MARKER            3006
#define IDC_PLOT_MARKER_SIZE_LABEL 1927
#define IDC_PLOT_MARKER_SIZE       3007
#define IDC_PLOT_MARKER_COLOR      11120

/* Axis page. */
#define IDC_AXIS_PAGE_TEXT         1970
#define IDC_AXIS_NAME_LABEL        1971
#define IDC_AXIS_NAME              3010
#define IDC_AXIS_ADD               11111
#define IDC_AXIS_DELETE            11105
#define IDC_AXIS_GENERAL           1976
#define IDC_AXIS_HIDDEN            1977
#define IDC_AXIS_LOCATION_LABEL    1978
#define IDC_AXIS_LOCATION          3011
#define IDC_AXIS_FORMAT_LABEL      1979
#define IDC_AXIS_FORMAT            3012
#define IDC_AXIS_LINE_WIDTH_LABEL  1983
#define IDC_AXIS_LINE_WIDTH        3013
#define IDC_AXIS_SCREEN_COLOR      11121
#define IDC_AXIS_PRINT_COLOR       11122
#define IDC_AXIS_GRID              1985
#define IDC_AXIS_GRID_TYPE_LABEL   1986
#define IDC_AXIS_GRID_TYPE         3014
#define IDC_AXIS_GRID_SCREEN_COLOR 3015
#define IDC_AXIS_GRID_PRINT_COLOR  3016
#define IDC_AXIS_SCALING           1992
#define IDC_AXIS_AUTOSCALE         1993
#define IDC_AXIS_MIN_LABEL         1994
#define IDC_AXIS_MIN               3017
#define IDC_AXIS_MAX_LABEL         1995
#define IDC_AXIS_MAX               3018
#define IDC_AXIS_TICKS             2000
#define IDC_AXIS_MANUAL_TICKS      2001
#define IDC_AXIS_FIRST_TICK_LABEL  2002
#define IDC_AXIS_FIRST_TICK        3019
#define IDC_AXIS_MAJOR_GAP_LABEL   2003
#define IDC_AXIS_MAJOR_GAP         3020
#define IDC_AXIS_MINOR_GAP_LABEL   2004
#define IDC_AXIS_MINOR_GAP         3021
#define IDC_AXIS_MICRO_GAP_LABEL   2005
#define IDC_AXIS_MICRO_GAP         3022
