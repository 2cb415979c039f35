#include "app/app_dialog.h"

#include "app/error_message.h"
#include "app/resource.h"

namespace dralmoft {

void AppDialog::OnUnexpectedError(const std::exception& error) {
    ShowErrorMessage(Handle(), IDS_UNEXPECTED_ERROR, {error.what()});
}

}  // namespace dralmoft
