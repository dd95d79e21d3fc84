// String ids of the command line's list, extract and check (toolbox.rc).
#pragma once

#define IDS_TB_USAGE_LIST 5000
#define IDS_TB_USAGE_EXTRACT 5001
#define IDS_TB_USAGE_CHECK 5002
#define IDS_TB_UNKNOWN_OPTION 5010
#define IDS_TB_MISSING_VALUE 5011
#define IDS_TB_NO_FILE 5012
#define IDS_TB_NOT_FOR_COMMAND 5013
#define IDS_TB_SEE_HELP 5014
#define IDS_TB_BAD_VALUE 5015
// convert --as ani
#define IDS_TB_USAGE_ANI 5003
// The converter's --help ends with the other commands.
#define IDS_TB_USAGE_COMMANDS 5004
#define IDS_TB_ANI_UNREADABLE 5070
#define IDS_TB_ANI_TOO_MANY 5071
#define IDS_TB_ANI_NOT_WRITTEN 5072
#define IDS_TB_ANI_FRAME_FAILED 5073
#define IDS_TB_ANI_WROTE 5074
#define IDS_TB_CANNOT_OPEN 5020
#define IDS_TB_TOO_LARGE 5021
#define IDS_TB_UNKNOWN_KIND 5022
#define IDS_TB_NOT_A_MODULE 5023
#define IDS_TB_NO_GROUPS 5024
#define IDS_TB_BAD_GROUP 5025
#define IDS_TB_CANNOT_WRITE 5026
#define IDS_TB_BAD_OUT 5027
#define IDS_TB_WROTE 5028
// The kinds of file, as the first line of each file's report names them.
#define IDS_TB_KIND_ICON 5030
#define IDS_TB_KIND_CURSOR 5031
#define IDS_TB_KIND_ANI 5032
#define IDS_TB_KIND_MODULE 5033
#define IDS_TB_ANI_SUMMARY 5034
#define IDS_TB_MODULE_SUMMARY 5035
#define IDS_TB_IMAGE_SUMMARY 5036
// Column headings, separated by '|'.
#define IDS_TB_IMAGE_COLUMNS 5040
#define IDS_TB_STEP_COLUMNS 5041
#define IDS_TB_FRAME_COLUMNS 5044
#define IDS_TB_TYPE_ICON 5042
#define IDS_TB_TYPE_CURSOR 5043
// Where a finding lies, its level, and the platform's picks.
#define IDS_TB_WHERE_FILE 5050
#define IDS_TB_WHERE_IMAGE 5051
#define IDS_TB_WHERE_FRAME 5052
#define IDS_TB_WHERE_FRAME_IMAGE 5053
#define IDS_TB_WHERE_GROUP 5054
#define IDS_TB_LEVEL_NOTE 5055
#define IDS_TB_LEVEL_WARNING 5056
#define IDS_TB_LEVEL_ERROR 5057
#define IDS_TB_PICKS 5058
#define IDS_TB_PICK 5059
#define IDS_TB_PICK_NONE 5060
#define IDS_TB_CLEAN 5061
#define IDS_TB_TOTALS 5062
// One text per finding code: IDS_TB_FINDING_BASE + code (toolbox/iconcheck.h).
#define IDS_TB_FINDING_BASE 5100
// The sequence flag set without a "seq " chunk (the finding's other case).
#define IDS_TB_FINDING_FLAG_WITHOUT_SEQ 5199
