#include "device/upload_callback.h"

UploadCallbackFunction& UploadCallback() {
    static UploadCallbackFunction callback;
    return callback;
}

UploadOutcome UploadThroughCallback(const ScenarioSettings& settings, const ContentPlan& content) {
    // Without an installed callback nothing can be uploaded: a failed upload, not a crash.
    const UploadCallbackFunction& upload = UploadCallback();
    return upload ? upload(settings, content) : UploadOutcome{};
}
