// The progress object as the URL download service meets it, slot by slot.
#include "platform/win32/bind_status.h"

#include <gtest/gtest.h>
#include <wininet.h>

namespace {

class QuietObserver : public platform::DownloadObserver {
public:
    bool Report(platform::DownloadProgress, std::int64_t, std::int64_t) override { return false; }
    bool StopRequested() override { return false; }
};

TEST(BindStatusTest, HandsOutOnlyItsInterfaces) {
    QuietObserver observer;
    platform::BindStatus status(observer, 1000);
    void* const callback = static_cast<IBindStatusCallback*>(&status);
    void* const security = static_cast<IHttpSecurity*>(&status);
    void* const services = static_cast<IServiceProvider*>(&status);
    struct Case {
        const char* name;
        REFIID id;
        void* object;  // null: refused
    };
    for (const Case& asked :
         {Case{"IUnknown", IID_IUnknown, callback},
          Case{"IBindStatusCallback", IID_IBindStatusCallback, callback},
          Case{"IHttpSecurity", IID_IHttpSecurity, security},
          Case{"IWindowForBindingUI", IID_IWindowForBindingUI, security},
          Case{"IServiceProvider", IID_IServiceProvider, services},
          Case{"IBinding", IID_IBinding, nullptr}, Case{"IStream", IID_IStream, nullptr},
          Case{"IHttpNegotiate", IID_IHttpNegotiate, nullptr}}) {
        SCOPED_TRACE(asked.name);
        void* object = &observer;  // anything but null: a refusal must clear it
        EXPECT_EQ(status.QueryInterface(asked.id, &object),
                  asked.object != nullptr ? S_OK : E_NOINTERFACE);
        EXPECT_EQ(object, asked.object);
        if (asked.object != nullptr) {
            EXPECT_EQ(status.Release(), 1U);  // the reference the answer handed out
        }
        // The service asks for the same through the service provider.
        object = &observer;
        EXPECT_EQ(status.QueryService(asked.id, asked.id, &object) == S_OK,
                  asked.object == security);
        EXPECT_EQ(object, asked.object == security ? security : nullptr);
        if (object != nullptr) {
            status.Release();
        }
    }
}

// Nothing may ask the user: there is no window for it, every security problem (a certificate
// that is not trusted, for one) fails the transfer, and the binding fails rather than show UI.
TEST(BindStatusTest, ASecurityProblemFailsTheTransferAndNothingIsShown) {
    QuietObserver observer;
    platform::BindStatus status(observer, 1000, true);
    HWND window = reinterpret_cast<HWND>(1);
    EXPECT_TRUE(FAILED(status.GetWindow(IID_IHttpSecurity, &window)));
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(status.Ended(), platform::BindStatus::Ending::kNone);
    EXPECT_EQ(status.OnSecurityProblem(ERROR_INTERNET_INVALID_CA), E_ABORT);
    EXPECT_EQ(status.Ended(), platform::BindStatus::Ending::kFailed);
    EXPECT_EQ(status.OnProgress(0, 0, BINDSTATUS_BEGINDOWNLOADDATA, nullptr), E_ABORT);
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
    EXPECT_EQ(flags, 0x1234U | BINDF_NO_UI | BINDF_SILENTOPERATION);
    EXPECT_EQ(status.OnDataAvailable(0, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(status.OnObjectAvailable(IID_IUnknown, nullptr), S_OK);
    // Counted, never freed: it lives in the downloading frame.
    EXPECT_EQ(status.AddRef(), 2U);
    EXPECT_EQ(status.Release(), 1U);
    EXPECT_EQ(status.Release(), 0U);
}

}  // namespace
