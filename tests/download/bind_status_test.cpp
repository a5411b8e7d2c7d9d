// The progress object as the URL download service meets it, slot by slot.
#include "platform/win32/bind_status.h"

#include <gtest/gtest.h>

namespace {

class QuietObserver : public platform::DownloadObserver {
public:
    bool Report(platform::DownloadProgress, std::int64_t, std::int64_t) override { return false; }
    bool StopRequested() override { return false; }
};

TEST(BindStatusTest, HandsOutOnlyItsTwoInterfaces) {
    QuietObserver observer;
    platform::BindStatus status(observer, 1000);
    struct Case {
        const char* name;
        REFIID id;
        HRESULT result;
    };
    for (const Case& asked : {Case{"IUnknown", IID_IUnknown, S_OK},
                              Case{"IBindStatusCallback", IID_IBindStatusCallback, S_OK},
                              Case{"IBinding", IID_IBinding, E_NOINTERFACE},
                              Case{"IStream", IID_IStream, E_NOINTERFACE},
                              Case{"IHttpNegotiate", IID_IHttpNegotiate, E_NOINTERFACE}}) {
        SCOPED_TRACE(asked.name);
        void* object = &observer;  // anything but null: a refusal must clear it
        EXPECT_EQ(status.QueryInterface(asked.id, &object), asked.result);
        if (asked.result == S_OK) {
            EXPECT_EQ(object, static_cast<IBindStatusCallback*>(&status));
            EXPECT_EQ(status.Release(), 1U);  // the reference the answer handed out
        } else {
            EXPECT_EQ(object, nullptr);
        }
    }
}

TEST(BindStatusTest, SlotsAnswerAsTheServiceExpects) {
    QuietObserver observer;
    platform::BindStatus status(observer, 1000);
    LONG priority = 0;
    EXPECT_EQ(status.GetPriority(&priority), E_NOTIMPL);
    EXPECT_EQ(status.OnLowResource(0), S_OK);
    EXPECT_EQ(status.OnStartBinding(0, nullptr), S_OK);
    EXPECT_EQ(status.OnStopBinding(S_OK, nullptr), S_OK);
    DWORD flags = 0x1234;
    BINDINFO info{};
    info.cbSize = sizeof info;
    EXPECT_EQ(status.GetBindInfo(&flags, &info), S_OK);
    EXPECT_EQ(flags, 0x1234U);  // left as the service gave it
    EXPECT_EQ(status.OnDataAvailable(0, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(status.OnObjectAvailable(IID_IUnknown, nullptr), S_OK);
    // Counted, never freed: it lives in the downloading frame.
    EXPECT_EQ(status.AddRef(), 2U);
    EXPECT_EQ(status.Release(), 1U);
    EXPECT_EQ(status.Release(), 0U);
}

}  // namespace
