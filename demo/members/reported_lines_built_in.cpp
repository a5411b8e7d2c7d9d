// The lines given at build time: the demo members' own.
#include "reported_lines.h"

ReportedLines MemberReportedLines() {
    return {VELMORA_MEMBER_VERSION_LINE, VELMORA_MEMBER_LIBRARY_LINE};
}
