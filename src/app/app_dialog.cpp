#include "app/app_dialog.h"

#include "app/error_message.h"
#include "app/resource.h"
#include "app/shared_messages.h"

namespace dralmoft {

void AppDialog::OnUnexpectedError(const std::exception& error) {
    ShowErrorMessage(Handle(), IDS_UNEXPECTED_ERROR, {Part(error.what())});
}

}  // namespace dralmoft
