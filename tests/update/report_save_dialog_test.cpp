// The version report's save dialog offers one filter, text files, registered with the host's file
// type manager as the host files such a type: under the manager "Module", in its root group, with
// the codes "GSAC" and "TEXT" and icon 145.
#include "update/report_save_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acapi/dg.h"
#include "acapi/ftm.h"
#include "host/dialog_control.h"
#include "host/host_control.h"
#include "shell/host_interface.h"

namespace {

TEST(ReportSaveDialog, OffersTextFilesRegisteredForTheModule) {
    HostInterface::SetFunctionTable(host::FunctionTable());
    std::vector<host::FileDialogInfo> shown;
    host::SetFileDialogObserver(
        [&shown](const host::FileDialogInfo& dialog) { shown.push_back(dialog); });
    host::AnswerNextFileDialog(false, "");

    NX_Location path;
    bool cancelled = false;
    EXPECT_TRUE(AskReportFile(path, cancelled));
    EXPECT_TRUE(cancelled);
    host::SetFileDialogObserver(nullptr);

    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].kind, DG_FILEDIALOG_SAVE);
    EXPECT_EQ(shown[0].filters, std::vector<std::string>{"Text Files (*.TXT)"});
    const std::vector<host::FileTypeRegistration> types = host::FileTypeRegistrations();
    ASSERT_EQ(types.size(), 1U);
    EXPECT_EQ(types[0].manager, "Module");
    EXPECT_EQ(types[0].group, FTM::RootGroup);
    EXPECT_EQ(types[0].description, "Text Files");
    EXPECT_EQ(types[0].extension, "TXT");
    EXPECT_EQ(types[0].creator, FourCharCode("GSAC"));
    EXPECT_EQ(types[0].type, FourCharCode("TEXT"));
    EXPECT_EQ(types[0].iconId, 145);
}

}  // namespace
