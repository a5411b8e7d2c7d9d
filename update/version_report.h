// The version report: the About box's information as a plain text file that the user names.
#pragma once

#include "foundation/nx_list.h"
#include "foundation/nx_string.h"
#include "update/about_data.h"

// The report's lines, each ending with CR LF, appended to `lines`: product, version, date, system
// and host lines, the credits, an empty line, then one line per member: name, version and date,
// tab-separated.
void BuildReportLines(const AboutData& about, NX_List<NX_String>& lines);
// "Save as Text...": asks for a ".txt" name until the user gives one or cancels, then writes
// the report; every failure is told to the user in an alert.
void SaveVersionReport(AboutData& about);
