// Resource numbers of the export's progress dialog. Plain defines, so the resource compiler reads
// them too.
#pragma once

#define IDD_EXPORT_PROGRESS 10989
#define IDC_EXPORT_TARGET   1101
#define IDC_EXPORT_COUNTS   1102
#define IDC_EXPORT_BAR      1103
