// Identifiers of everything in Sektra's language module: dialog templates, control ids, menu
// commands, the icon and the string table. Plain #defines, so that the .rc files and the C++
// code share them. The numbers are fixed: other language modules must keep them.
#ifndef SEKTRA_LANGUAGE_RESOURCE_IDS_H
#define SEKTRA_LANGUAGE_RESOURCE_IDS_H

/* Dialog templates, menu and icon */
#define IDD_MAIN_FRAME          301  /* main window; its menu has the same id */
#define IDR_MAIN_MENU           301
#define IDI_SEKTRA              302
#define IDD_ABOUT               303
#define IDD_TRANSFER_TEST       305
#define IDD_TRANSFER_OPTIONS    306
#define IDD_WRITE_CONFIRM       307
#define IDD_TIMER_OPTIONS       308
#define IDD_DEVICE_SELECTION    309
#define IDD_CACHE_TEST          311
#define IDD_SEEK_TEST           312
#define IDD_CACHE_OPTIONS       313
#define IDD_SEEK_OPTIONS        314
#define IDD_WAIT                315

/* Menu commands of the main window */
#define IDM_ABOUT               40001
#define IDM_TIMER_OPTIONS       40002
#define IDM_REFRESH             40003
#define IDM_HELP                40004
#define IDM_SELECT_DEVICES      40005

/* Main window (301) */
#define IDC_DEVICE_TREE         1002
#define IDC_DETAIL_LIST         1003

/* About (303): the link to the help file, and OK (1) */
#define IDC_HELP_LINK           1000

/* Test windows (305 transfer, 311 cache and buffer, 312 seek) */
#define IDC_TEST_START          3
#define IDC_TEST_SAVE           4
#define IDC_TEST_DEVICE         1005
#define IDC_TEST_BLOCK_RANGE    1006  /* not in 311 */
#define IDC_TEST_ELAPSED        1007
#define IDC_TEST_COUNT          1008
#define IDC_TEST_CLOCK          1009
#define IDC_TEST_FINISH         1010
#define IDC_TEST_PROGRESS       1011
#define IDC_TEST_BEST           1012
#define IDC_TEST_AVERAGE        1013
#define IDC_TEST_WORST          1014
#define IDC_TEST_STOP           1015
#define IDC_TEST_CLOSE          1016

/* Transfer options (306) */
#define IDC_TRANSFER_LIMIT      1017
#define IDC_TRANSFER_SIZE       1018
#define IDC_TRANSFER_SIZE_SPIN  1019
#define IDC_TRANSFER_SIZE_KB    1020
#define IDC_RANGE_FULL          1021  /* radio buttons 1021 .. 1025 */
#define IDC_RANGE_OUTER         1022
#define IDC_RANGE_MIDDLE        1023
#define IDC_RANGE_INNER         1024
#define IDC_RANGE_CUSTOM        1025
#define IDC_RANGE_START         1026
#define IDC_RANGE_END           1027
#define IDC_RANGE_START_SPIN    1028
#define IDC_RANGE_END_SPIN      1029
#define IDC_TRANSFER_OK         1030
#define IDC_TRANSFER_CANCEL     1031

/* Write test confirmation (307), with OK (1) and Cancel (2) */
#define IDC_CONFIRM_WORD        1032
#define IDC_CONFIRM_DEVICE      1033
#define IDC_CONFIRM_TEST        1034

/* Timer options (308), with OK (1) and Cancel (2) */
#define IDC_TIMER_TICK_COUNT    1035  /* radio buttons 1035 .. 1037 */
#define IDC_TIMER_PERFORMANCE   1036
#define IDC_TIMER_TIME_STAMP    1037
#define IDC_TIMER_COUNTER_FREQUENCY 1038
#define IDC_TIMER_TSC_FREQUENCY 1039
#define IDC_TIMER_INTERVAL      1026
#define IDC_TIMER_INTERVAL_SPIN 1040

/* Device selection (309), with OK (1) and Cancel (2) */
#define IDC_DEVICE_LIST         1041

/* Cache and buffer options (313), with OK (1) and Cancel (2) */
#define IDC_CACHE_SIZE          1046
#define IDC_CACHE_SIZE_SPIN     1047
#define IDC_CACHE_SIZE_KB       1048
#define IDC_CACHE_LIMIT         1049

/* Seek options (314), with OK (1) and Cancel (2) */
#define IDC_SEEK_FIRST_BLOCK    1050
#define IDC_SEEK_LAST_BLOCK     1051
#define IDC_SEEK_ALTERNATE      1052  /* radio buttons 1052 .. 1053 */
#define IDC_SEEK_RANDOM         1053
#define IDC_SEEK_COUNT          1054
#define IDC_SEEK_LIMIT          1055

/* Wait notice (315) */
#define IDC_WAIT_MAIN           1056
#define IDC_WAIT_DETAIL         1057
#define IDC_WAIT_NOTE1          1058
#define IDC_WAIT_NOTE2          1059

/* Seek test (312): the texts that name the figure */
#define IDC_SEEK_COUNT_LABEL    1060
#define IDC_SEEK_TIME_GROUP     1061

/* Test windows: command times and graph (the graph and its save button not in 311) */
#define IDC_TEST_IOPS           1062
#define IDC_TEST_P50            1063
#define IDC_TEST_P99            1064
#define IDC_TEST_MAX_LATENCY    1065
#define IDC_TEST_GRAPH          1066
#define IDC_TEST_SAVE_IMAGE     1067
#define IDC_TEST_CHOICES        1068  /* 305 only: the transfer choices a run used */

/* Transfer options (306): the transfer choices */
#define IDC_ALIGNED_POSITIONS   1069
#define IDC_RANDOM_WRITE_DATA   1070

/* Strings. "fmt(...)" notes the arguments of a format string. */
#define IDS_COLUMN_ITEM         1
#define IDS_COLUMN_VALUE        2
#define IDS_COLUMN_REMARK       3
#define IDS_TREE_ROOT           4
#define IDS_TREE_DISKS          5
#define IDS_TREE_CDROMS         6
#define IDS_TREE_INQUIRY        7
#define IDS_TREE_STANDARD_INQUIRY 8
#define IDS_TREE_VPD_PAGE       9   /* fmt(int page) */
#define IDS_TREE_LOG_SENSE      10
#define IDS_TREE_LOG_PAGE       11  /* fmt(int page) */
#define IDS_TREE_MODE_SENSE     12
#define IDS_TREE_MODE_PAGE      13  /* fmt(int page) */
#define IDS_TREE_DEFECT_LISTS   14
#define IDS_TREE_PRIMARY_DEFECTS 15
#define IDS_TREE_GROWN_DEFECTS  16
#define IDS_TREE_TESTS          17
#define IDS_TREE_SEQUENTIAL_READ 18
#define IDS_TREE_SEQUENTIAL_WRITE 19
#define IDS_TREE_RANDOM_READ    20
#define IDS_TREE_RANDOM_WRITE   21
#define IDS_TREE_READ_BUFFER    22
#define IDS_TREE_WRITE_BUFFER   23
#define IDS_TREE_CACHE_HIT      24
#define IDS_TREE_SEEK           25
#define IDS_TREE_SIZE_KB        28  /* fmt(int kilobytes) */
#define IDS_OTHER_SIZE          29  /* also the label of a custom range or seek */
#define IDS_SUMMARY_MODEL       30
#define IDS_SUMMARY_REVISION    31
#define IDS_SUMMARY_BLOCKS      32
#define IDS_SUMMARY_BLOCK_LENGTH 33
#define IDS_SUMMARY_CAPACITY    34
#define IDS_DEFECT_COUNT        35
#define IDS_DEFECT_ENTRY        36  /* fmt(int number) */
#define IDS_OTHER_SIZE_ROW      37
#define IDS_RANGE_FULL          38
#define IDS_RANGE_OUTER         39
#define IDS_RANGE_MIDDLE        40
#define IDS_RANGE_INNER         41
#define IDS_SEEK_STANDARD       42
#define IDS_STATE_RUNNING       43
#define IDS_STATE_STOPPED       44
#define IDS_STATE_FINISHED      45
#define IDS_CSV_FILTER_NAME     46
#define IDS_CSV_FILTER_PATTERN  47
#define IDS_ALL_FILTER_NAME     48
#define IDS_ALL_FILTER_PATTERN  49
#define IDS_CSV_EXTENSION       50
#define IDS_TIME_FORMAT         51  /* a wcsftime format */
#define IDS_FINISH_UNKNOWN      52
#define IDS_ELAPSED_FORMAT      53  /* fmt(int hours, int minutes, int seconds) */
#define IDS_INPUT_ERROR_CAPTION 54
#define IDS_BAD_BLOCK_COUNT     55
#define IDS_BAD_END_PERCENT     56
#define IDS_BAD_START_PERCENT   57
#define IDS_LIMIT_BLOCKS        58  /* fmt(unsigned limit) */
#define IDS_ERROR               59  /* error caption; also the size label of a bad size */
#define IDS_TEST_START_FAILED   60
#define IDS_TEST_COMMAND_FAILED 61
#define IDS_CONFIRM_CAPTION     62
#define IDS_CONFIRM_MISMATCH    63
#define IDS_CONFIRM_WORD        64
#define IDS_CSV_MODEL           65
#define IDS_CSV_REVISION        66
#define IDS_CSV_TEST            67
#define IDS_CSV_BEST            68
#define IDS_CSV_AVERAGE         69
#define IDS_CSV_WORST           70
#define IDS_CSV_COUNT           71
#define IDS_CSV_RANGE           72
#define IDS_CSV_SHORTEST        700
#define IDS_CSV_LONGEST         701
/* The result file's latency section (120 to 133) */
#define IDS_CSV_LATENCY         120
#define IDS_CSV_COMMANDS        121
#define IDS_CSV_IOPS            122
#define IDS_CSV_WALL_IOPS       123
#define IDS_CSV_MEAN            124
#define IDS_CSV_MINIMUM         125
#define IDS_CSV_P50             126
#define IDS_CSV_P90             127
#define IDS_CSV_P99             128
#define IDS_CSV_P999            129
#define IDS_CSV_P9999           130
#define IDS_CSV_MAXIMUM         131
#define IDS_CSV_BUCKET          132
#define IDS_CSV_BUCKET_COUNT    133
#define IDS_DEVICE_COLUMN_NAME  73
#define IDS_DEVICE_COLUMN_TYPE  74
#define IDS_DEVICE_COLUMN_BUS   75
#define IDS_DEVICE_ERROR_CAPTION 76
#define IDS_DEVICE_NO_CAPACITY  77
#define IDS_BAD_INTERVAL        78
#define IDS_NO_TIMER            79
#define IDS_BAD_TSC_FREQUENCY   80
#define IDS_ENVIRONMENT_CAPTION 81
#define IDS_NEED_NT             82
#define IDS_NEED_WINDOWS_2000   83
#define IDS_NEED_JAPANESE       84
#define IDS_NEED_ADMINISTRATOR  85
#define IDS_SETTINGS_MISSING    92
#define IDS_PROTECTED_CAPTION   105
#define IDS_PROTECTED_DEVICE    106
#define IDS_LIMIT_KB            107 /* fmt(unsigned limit) */
#define IDS_BAD_SIZE_KB         108
#define IDS_BAD_SEEK_COUNT      109
#define IDS_BAD_FIRST_BLOCK     110
#define IDS_BAD_LAST_BLOCK      111
#define IDS_TREE_CHANGERS       112
#define IDS_TREE_ATA_IDENTIFY   113
#define IDS_WAIT_NOTE1          114
#define IDS_WAIT_NOTE2          115
#define IDS_TREE_ACCESS_TIME    116 /* the seek row of a device measured by one-block reads */
#define IDS_ACCESS_COUNT        117
#define IDS_ACCESS_TIME         118
/* The test windows' graphs, their image files and the transfer choices (160-199) */
#define IDS_IMAGE_PNG_NAME      160
#define IDS_IMAGE_PNG_PATTERN   161
#define IDS_IMAGE_BMP_NAME      162
#define IDS_IMAGE_BMP_PATTERN   163
#define IDS_IMAGE_EXTENSION     164
#define IDS_IMAGE_SAVE_FAILED   165
#define IDS_GRAPH_RATE          166
#define IDS_GRAPH_POSITION      167
#define IDS_GRAPH_SHARE         168
#define IDS_GRAPH_LATENCY       169
#define IDS_GRAPH_AVERAGE       170
#define IDS_GRAPH_EMPTY         171
#define IDS_CHOICE_ALIGNED      172  /* shown after IDS_CHOICES_USED, joined by IDS_CHOICES_JOIN */
#define IDS_CHOICE_RANDOM_DATA  173
#define IDS_CHOICES_USED        174
#define IDS_CHOICES_JOIN        175
/* Refusal of a write test on a disk that holds data */
#define IDS_REFUSE_CAPTION      500
#define IDS_REFUSE_SYSTEM_DISK  501
#define IDS_REFUSE_VOLUMES      502 /* fmt(unsigned volumes) */
#define IDS_REFUSE_LAYOUT       503 /* fmt(unsigned partitions) */
#define IDS_REFUSE_MBR          504 /* fmt(unsigned partitions) */
#define IDS_REFUSE_GPT          505
#define IDS_REFUSE_UNREADABLE   506
#define IDS_REFUSE_HOW_TO_CLEAR 507

/* The device view's explanations and the About box (600-699) */
#define IDS_NOT_READY_CAPTION   600
#define IDS_NOT_READY_TRANSFER  601 /* fmt(int blocks) */
#define IDS_NOT_READY_NO_LIMIT  602
#define IDS_NOT_READY_BUFFER    603 /* fmt(int kilobytes) */
#define IDS_NOT_READY_NO_BUFFER 604
#define IDS_ABOUT_VERSION       605 /* followed by the version */
#define IDC_ABOUT_VERSION       606 /* About (303): the product and version line */
#define IDC_CONFIRM_WARNING     607 /* Write confirmation (307): what the test overwrites */
#define IDS_CONFIRM_BUFFER_ONLY 608 /* that warning for the Write Buffer test */

/* Decoded ATA IDENTIFY, SMART and NVMe fields and their tree nodes (900-999) */
#define IDS_FIELD_MODEL             900
#define IDS_FIELD_SERIAL            901
#define IDS_FIELD_FIRMWARE          902
#define IDS_FIELD_CAPACITY          903
#define IDS_FIELD_LOGICAL_SECTOR    904
#define IDS_FIELD_PHYSICAL_SECTOR   905
#define IDS_FIELD_ROTATION          906
#define IDS_FIELD_TRIM              907
#define IDS_FIELD_SMART             908
#define IDS_FIELD_WRITE_CACHE       909
#define IDS_FIELD_SATA              910
#define IDS_FIELD_INTEGRITY         911
#define IDS_FIELD_LBA28             912
#define IDS_FIELD_LBA48             913
#define IDS_FIELD_SMART_REVISION    914
#define IDS_FIELD_POWER_ON_HOURS    915
#define IDS_FIELD_POWER_CYCLES      916
#define IDS_FIELD_TEMPERATURE       917
#define IDS_SMART_UNKNOWN           920
#define IDS_SMART_READ_ERROR_RATE   921
#define IDS_SMART_SPIN_UP_TIME      922
#define IDS_SMART_START_STOP        923
#define IDS_SMART_REALLOCATED       924
#define IDS_SMART_SEEK_ERROR_RATE   925
#define IDS_SMART_SPIN_RETRY        926
#define IDS_SMART_PROGRAM_FAIL      927
#define IDS_SMART_ERASE_FAIL        928
#define IDS_SMART_WEAR_LEVELING     929
#define IDS_SMART_POWER_LOSS        930
#define IDS_SMART_UNCORRECTABLE     931
#define IDS_SMART_COMMAND_TIMEOUT   932
#define IDS_SMART_AIRFLOW_TEMP      933
#define IDS_SMART_LOAD_CYCLES       934
#define IDS_SMART_REALLOC_EVENTS    935
#define IDS_SMART_PENDING           936
#define IDS_SMART_OFFLINE_UNCORR    937
#define IDS_SMART_CRC_ERRORS        938
#define IDS_SMART_LIFE_LEFT         939
#define IDS_SMART_MEDIA_WEAROUT     940
#define IDS_SMART_LBAS_WRITTEN      941
#define IDS_SMART_LBAS_READ         942
#define IDS_NVME_PCI_VENDOR         950
#define IDS_NVME_PCI_SUBSYSTEM      951
#define IDS_NVME_VERSION            952
#define IDS_NVME_NAMESPACES         953
#define IDS_NVME_TOTAL_CAPACITY     954
#define IDS_NVME_CONTROLLER_ID      955
#define IDS_NVME_NAMESPACE_SIZE     956
#define IDS_NVME_NAMESPACE_CAPACITY 957
#define IDS_NVME_NAMESPACE_USED     958
#define IDS_NVME_LBA_FORMAT         959
#define IDS_NVME_CRITICAL_WARNING   960
#define IDS_NVME_SPARE              962
#define IDS_NVME_SPARE_THRESHOLD    963
#define IDS_NVME_PERCENTAGE_USED    964
#define IDS_NVME_DATA_READ          965
#define IDS_NVME_DATA_WRITTEN       966
#define IDS_NVME_UNSAFE_SHUTDOWNS   967
#define IDS_NVME_MEDIA_ERRORS       968
#define IDS_NVME_ERROR_LOG_ENTRIES  969
#define IDS_TREE_SMART              980
#define IDS_TREE_SMART_ATTRIBUTES   981
#define IDS_TREE_SMART_THRESHOLDS   982
#define IDS_TREE_NVME               983
#define IDS_TREE_NVME_CONTROLLER    984
#define IDS_TREE_NVME_NAMESPACE     985
#define IDS_TREE_NVME_HEALTH        986

#include "language/ScsiFieldIds.h"

#endif
