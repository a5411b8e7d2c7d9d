// The progress object that the URL download service calls back during one transfer. It lives in
// the downloading frame for the length of the transfer, so Release never frees it. It also answers
// the service's questions about security problems and windows, so that a certificate the system
// does not trust fails the transfer and nothing ever asks the user.
#pragma once

#include <urlmon.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>

#include "platform/url_download.h"

namespace platform {

// A COM object is never deleted through its interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class BindStatus : public IBindStatusCallback, public IHttpSecurity, public IServiceProvider {
public:
    // secure: the address is https, whose connection must be TLS 1.2 or later.
    BindStatus(DownloadObserver& observer, std::int64_t maxBytes, bool secure = false);
    BindStatus(const BindStatus&) = delete;
    BindStatus& operator=(const BindStatus&) = delete;
    ~BindStatus();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD reserved, IBinding* binding) override;
    HRESULT STDMETHODCALLTYPE GetPriority(LONG* priority) override;
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG received, ULONG total, ULONG status,
                                         LPCWSTR text) override;
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR text) override;
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD flags, DWORD size, FORMATETC* format,
                                              STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID id, IUnknown* object) override;
    // IHttpSecurity (and IWindowForBindingUI): no window to show anything in, and every security
    // problem (a certificate expired, for another name, from an untrusted root, a redirection
    // from https to http) ends the transfer as a failure.
    HRESULT STDMETHODCALLTYPE GetWindow(REFGUID reason, HWND* window) override;
    HRESULT STDMETHODCALLTYPE OnSecurityProblem(DWORD problem) override;
    // IServiceProvider: the service asks for the two interfaces above this way too.
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID id, void** object) override;

    // Why the transfer is to end before its time; kNone while it may go on.
    enum class Ending { kNone, kCancelled, kFailed };

    // From another thread: ends the transfer through the binding the service handed over.
    // False while there is no binding yet.
    bool Abort(Ending why);
    // What this object has decided on its own: a cancellation asked for by the observer, or a
    // body too large or sent round in circles. The service may carry on after such an answer
    // (it does not always stop when OnProgress answers E_ABORT), so the watching thread ends it.
    Ending Decided() const { return decided_; }
    // Milliseconds of the system's tick count when the service last reported anything.
    ULONGLONG LastHeardOf() const;

    // What ended the transfer early, if anything did.
    Ending Ended() const;
    std::int64_t AnnouncedTotal() const { return total_; }
    // The download service reports success for any answer with a body; only 200 is the file.
    bool StatusIsOk() const { return httpStatus_ == 200; }

private:
    IBinding* TakeBinding();
    bool QueryBinding(REFIID id, void** answer);
    void QueryStatus();
    bool ChannelTooWeak();
    void Heard();

    HRESULT Decide(Ending why);

    DownloadObserver& observer_;
    std::int64_t maxBytes_;
    bool secure_;
    bool channelChecked_ = false;
    ULONG references_ = 1;
    mutable std::mutex mutex_;  // the binding, the time and the ending, shared with the watch
    IBinding* binding_ = nullptr;
    ULONGLONG lastHeardOf_;
    Ending aborted_ = Ending::kNone;
    std::atomic<Ending> decided_{Ending::kNone};
    int requests_ = 0;
    DWORD httpStatus_ = 0;
    std::int64_t total_ = 0;
};

#pragma GCC diagnostic pop

}  // namespace platform
