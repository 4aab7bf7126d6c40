#include "platform_ops.h"

#include "messages.h"
#include "unicode.h"

PlatformFailure FailureOf(const std::exception_ptr& thrown) {
    if (!thrown) return {kInternalError, {}};
    try {
        std::rethrow_exception(thrown);
    } catch (const PlatformFailure& failure) {
        return failure;
    } catch (const std::exception& error) {
        return {kInternalError, DecodeUtf8(error.what()).value_or(L"")};
    } catch (...) {
        return {kInternalError, {}};
    }
}
