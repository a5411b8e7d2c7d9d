#include "platform/url_download.h"

#include <urlmon.h>
#include <windows.h>
#include <wininet.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace platform {

namespace {

// A COM object is never deleted through its interface.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The progress object the URL download service calls back. It lives in the downloading frame
// for the length of the transfer, so Release never frees it.
class BindStatus : public IBindStatusCallback {
public:
    BindStatus(DownloadObserver& observer, std::int64_t maxBytes)
        : observer_(observer), maxBytes_(maxBytes) {}
    BindStatus(const BindStatus&) = delete;
    BindStatus& operator=(const BindStatus&) = delete;
    ~BindStatus() { ReleaseBinding(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        *object = nullptr;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IBindStatusCallback)) {
            *object = static_cast<IBindStatusCallback*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    // The binding answers the HTTP status when the transfer ends.
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding* binding) override {
        ReleaseBinding();
        binding_ = binding;
        if (binding_ != nullptr) {
            binding_->AddRef();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG received, ULONG total, ULONG status,
                                         LPCWSTR) override {
        total_ = total;
        if (observer_.StopRequested()) {
            return E_ABORT;
        }
        if (received > maxBytes_ || total > maxBytes_) {
            tooLarge_ = true;
            return E_ABORT;
        }
        bool cancel = false;
        switch (status) {
            case BINDSTATUS_BEGINDOWNLOADDATA:
                cancel = observer_.Report(DownloadProgress::kBegins, received, total);
                break;
            case BINDSTATUS_DOWNLOADINGDATA:
                cancel = observer_.Report(DownloadProgress::kArriving, received, total);
                break;
            case BINDSTATUS_ENDDOWNLOADDATA:
                QueryStatus();
                cancel = observer_.Report(DownloadProgress::kEndOfData, received, total);
                break;
            default:
                return S_OK;
        }
        return cancel ? E_ABORT : S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override {
        QueryStatus();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

    bool TooLarge() const { return tooLarge_; }
    std::int64_t AnnouncedTotal() const { return total_; }
    // The download service reports success for any answer with a body; only 200 is the file.
    bool StatusIsOk() const { return httpStatus_ == 200; }

private:
    void QueryStatus() {
        if (binding_ == nullptr || httpStatus_ != 0) {
            return;
        }
        IWinInetHttpInfo* info = nullptr;
        if (FAILED(
                binding_->QueryInterface(IID_IWinInetHttpInfo, reinterpret_cast<void**>(&info))) ||
            info == nullptr) {
            return;
        }
        DWORD status = 0;
        DWORD size = sizeof status;
        if (info->QueryInfo(HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                            nullptr, nullptr) == S_OK) {
            httpStatus_ = status;
        }
        info->Release();
    }
    void ReleaseBinding() {
        if (binding_ != nullptr) {
            binding_->Release();
            binding_ = nullptr;
        }
    }

    DownloadObserver& observer_;
    std::int64_t maxBytes_;
    ULONG references_ = 1;
    IBinding* binding_ = nullptr;
    DWORD httpStatus_ = 0;
    std::int64_t total_ = 0;
    bool tooLarge_ = false;
};

std::uintmax_t FileSize(const char* utf8Path) {
    const std::string text = utf8Path;
    std::error_code error;
    const std::uintmax_t size =
        std::filesystem::file_size(std::u8string(text.begin(), text.end()), error);
    return error ? 0 : size;
}

// The A form of the service takes paths in the system code page.
std::string AnsiOfUtf8(const char* utf8) {
    const int wideCount = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideCount), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), wideCount);
    const int ansiSize =
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(ansiSize), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), ansiSize, nullptr, nullptr);
    return ansi;
}

}  // namespace

DownloadOutcome DownloadUrlToFile(const char* url, const char* utf8Path, std::int64_t maxBytes,
                                  DownloadObserver& observer) {
    DeleteUrlCacheEntryA(url);
    BindStatus status(observer, maxBytes);
    const HRESULT result =
        URLDownloadToFileA(nullptr, url, AnsiOfUtf8(utf8Path).c_str(), 0, &status);
    if (result == E_ABORT) {
        return status.TooLarge() ? DownloadOutcome::kFailed : DownloadOutcome::kCancelled;
    }
    if (result != S_OK && result != MK_S_ASYNCHRONOUS) {
        return DownloadOutcome::kFailed;
    }
    const std::uintmax_t size = FileSize(utf8Path);
    const bool whole = status.AnnouncedTotal() == 0 ||
                       size == static_cast<std::uintmax_t>(status.AnnouncedTotal());
    if (!status.StatusIsOk() || !whole || size > static_cast<std::uintmax_t>(maxBytes)) {
        return DownloadOutcome::kFailed;
    }
    return DownloadOutcome::kCompleted;
}

}  // namespace platform
