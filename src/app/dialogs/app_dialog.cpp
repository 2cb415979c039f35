#include "app/dialogs/app_dialog.h"

#include "app/dialogs/error_message.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"

namespace dralmoft {

void AppDialog::OnUnexpectedError(const std::exception& error) {
    ShowErrorMessage(Handle(), IDS_UNEXPECTED_ERROR, {Part(error.what())});
}

}  // namespace dralmoft
