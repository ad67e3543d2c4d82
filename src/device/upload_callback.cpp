#include "device/upload_callback.h"

UploadCallbackFunction& UploadCallback() {
    static UploadCallbackFunction callback;
    return callback;
}
