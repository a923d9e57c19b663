// SPDX-License-Identifier: MIT
#include "app/command_guard.h"

#include <new>
#include <stdexcept>

#include "platform/app_error.h"
#include "platform/dialogs.h"
#include "text/program_text.h"

namespace {
constexpr char kOutOfMemory[] = "メモリが足りません。";
}  // namespace

void CommandGuard::run(const std::function<void()>& command) const
{
    try {
        if (before_) {
            before_();
        }
        command();
    } catch (const AppError& e) {
        dialogs_.showError(e.message());
    } catch (const std::bad_alloc&) {
        dialogs_.showError(uiText(kOutOfMemory));
    } catch (const std::exception& e) {
        // A failure of the runtime: shown with its own text, the program goes on.
        dialogs_.showError(QString::fromLocal8Bit(e.what()));
    }
}
