#include "win32/errors.h"
#include "win32/registry.h"
#include "mivo/errors.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

struct ErrorText {
    DWORD code;
    const char* text;
};

// English texts, as the system shows them in its own message boxes.
const ErrorText kErrorTexts[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_INVALID_FUNCTION, "Incorrect function."},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
    {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_INVALID_HANDLE, "The handle is invalid."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough storage is available to process this command."},
    {ERROR_BAD_FORMAT, "An attempt was made to load a program with an incorrect format."},
    {ERROR_INVALID_DATA, "The data is invalid."},
    {ERROR_OUTOFMEMORY, "Not enough storage is available to complete this operation."},
    {ERROR_INVALID_DRIVE, "The system cannot find the drive specified."},
    {ERROR_CURRENT_DIRECTORY, "The directory cannot be removed."},
    {ERROR_NOT_SAME_DEVICE, "The system cannot move the file to a different disk drive."},
    {ERROR_NO_MORE_FILES, "There are no more files."},
    {ERROR_WRITE_PROTECT, "The media is write protected."},
    {ERROR_NOT_READY, "The device is not ready."},
    {ERROR_SEEK, "The drive cannot locate a specific area or track on the disk."},
    {ERROR_WRITE_FAULT, "The system cannot write to the specified device."},
    {ERROR_READ_FAULT, "The system cannot read from the specified device."},
    {ERROR_GEN_FAILURE, "A device attached to the system is not functioning."},
    {ERROR_SHARING_VIOLATION,
     "The process cannot access the file because it is being used by another process."},
    {ERROR_LOCK_VIOLATION,
     "The process cannot access the file because another process has locked a portion of the file."},
    {ERROR_HANDLE_EOF, "Reached the end of the file."},
    {ERROR_HANDLE_DISK_FULL, "The disk is full."},
    {ERROR_NOT_SUPPORTED, "The request is not supported."},
    {ERROR_BAD_NETPATH, "The network path was not found."},
    {ERROR_NETWORK_ACCESS_DENIED, "Network access is denied."},
    {ERROR_BAD_NET_NAME, "The network name cannot be found."},
    {ERROR_FILE_EXISTS, "The file exists."},
    {ERROR_CANNOT_MAKE, "The directory or file cannot be created."},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect."},
    {ERROR_BROKEN_PIPE, "The pipe has been ended."},
    {ERROR_OPEN_FAILED, "The system cannot open the device or file specified."},
    {ERROR_BUFFER_OVERFLOW, "The file name is too long."},
    {ERROR_DISK_FULL, "There is not enough space on the disk."},
    {ERROR_CALL_NOT_IMPLEMENTED, "This function is not supported on this system."},
    {ERROR_SEM_TIMEOUT, "The semaphore timeout period has expired."},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small."},
    {ERROR_INVALID_NAME, "The filename, directory name, or volume label syntax is incorrect."},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found."},
    {ERROR_PROC_NOT_FOUND, "The specified procedure could not be found."},
    {ERROR_WAIT_NO_CHILDREN, "There are no child processes to wait for."},
    {ERROR_NEGATIVE_SEEK,
     "An attempt was made to move the file pointer before the beginning of the file."},
    {ERROR_SEEK_ON_DEVICE, "The file pointer cannot be set on the specified device or file."},
    {ERROR_DIR_NOT_EMPTY, "The directory is not empty."},
    {ERROR_BAD_PATHNAME, "The specified path is invalid."},
    {ERROR_BUSY, "The requested resource is in use."},
    {ERROR_ALREADY_EXISTS, "Cannot create a file when that file already exists."},
    {ERROR_BAD_EXE_FORMAT, "The file is not a valid application."},
    {ERROR_ENVVAR_NOT_FOUND, "The system could not find the environment option that was entered."},
    {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long."},
    {ERROR_MORE_DATA, "More data is available."},
    {WAIT_TIMEOUT, "The wait operation timed out."},
    {ERROR_NO_MORE_ITEMS, "No more data is available."},
    {ERROR_DIRECTORY, "The directory name is invalid."},
    {ERROR_NOT_OWNER, "Attempt to release mutex not owned by caller."},
    {ERROR_TOO_MANY_POSTS, "Too many posts were made to a semaphore."},
    {ERROR_INVALID_ADDRESS, "Attempt to access invalid address."},
    {ERROR_ARITHMETIC_OVERFLOW, "Arithmetic result exceeded 32 bits."},
    {ERROR_ABANDONED_WAIT_0, "The wait was abandoned."},
    {ERROR_OPERATION_ABORTED,
     "The I/O operation has been aborted because of either a thread exit or an application request."},
    {ERROR_IO_INCOMPLETE, "Overlapped I/O event is not in a signaled state."},
    {ERROR_IO_PENDING, "Overlapped I/O operation is in progress."},
    {ERROR_NOACCESS, "Invalid access to memory location."},
    {ERROR_INVALID_FLAGS, "Invalid flags."},
    {ERROR_BADDB, "The configuration registry database is corrupt."},
    {ERROR_BADKEY, "The configuration registry key is invalid."},
    {ERROR_CANTOPEN, "The configuration registry key could not be opened."},
    {ERROR_CANTREAD, "The configuration registry key could not be read."},
    {ERROR_CANTWRITE, "The configuration registry key could not be written."},
    {ERROR_REGISTRY_IO_FAILED,
     "An I/O operation initiated by the registry failed unrecoverably. The registry could not read in, or write "
     "out, or flush, one of the files that contain the system's image of the registry."},
    {ERROR_KEY_DELETED, "Illegal operation attempted on a registry key that has been marked for deletion."},
    {ERROR_NO_UNICODE_TRANSLATION,
     "No mapping for the Unicode character exists in the target multi-byte code page."},
    {ERROR_DLL_INIT_FAILED, "A dynamic link library (DLL) initialization routine failed."},
    {ERROR_CONNECTION_REFUSED, "The remote computer refused the network connection."},
    {ERROR_PRIVILEGE_NOT_HELD, "A required privilege is not held by the client."},
    {ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle."},
    {ERROR_INVALID_MENU_HANDLE, "Invalid menu handle."},
    {ERROR_CANNOT_FIND_WND_CLASS, "Cannot find window class."},
    {ERROR_CLASS_ALREADY_EXISTS, "Class already exists."},
    {ERROR_CLASS_DOES_NOT_EXIST, "Class does not exist."},
    {ERROR_TIMEOUT, "This operation returned because the timeout period expired."},
    {ERROR_RESOURCE_DATA_NOT_FOUND, "The specified image file did not contain a resource section."},
    {ERROR_RESOURCE_TYPE_NOT_FOUND, "The specified resource type cannot be found in the image file."},
    {ERROR_RESOURCE_NAME_NOT_FOUND, "The specified resource name cannot be found in the image file."},
    {ERROR_RESOURCE_LANG_NOT_FOUND,
     "The specified resource language ID cannot be found in the image file."},
    {ERROR_NOT_ENOUGH_QUOTA, "Not enough quota is available to process this command."},
    {ERROR_CANT_RESOLVE_FILENAME, "The name of the file cannot be resolved by the system."},
    {ERROR_MR_MID_NOT_FOUND,
     "The system cannot find message text for message number 0x%1 in the message file for %2."},
    {ERROR_INTERNET_TIMEOUT, "The operation timed out."},
};

// Local blocks carry their size in front so LocalSize and LocalReAlloc work.
struct LocalHeader {
    SIZE_T size;
    SIZE_T pad;  // keeps the block 16-byte aligned
};

LocalHeader* HeaderOf(HLOCAL mem)
{
    return reinterpret_cast<LocalHeader*>(static_cast<char*>(mem) - sizeof(LocalHeader));
}

// Writes `text` as FormatMessage does: into the caller's buffer or a new
// LocalAlloc block. Returns the characters written without the terminator.
DWORD DeliverMessage(DWORD flags, const std::string& text, LPSTR buffer, DWORD size)
{
    if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        // `buffer` is where the new block's address goes.
        if (!buffer) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        SIZE_T bytes = text.size() + 1;
        if (bytes < size)
            bytes = size;
        auto block = static_cast<char*>(LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, bytes));
        if (!block) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return 0;
        }
        memcpy(block, text.c_str(), text.size() + 1);
        *reinterpret_cast<LPSTR*>(buffer) = block;
        return static_cast<DWORD>(text.size());
    }
    if (!buffer || text.size() + 1 > size) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

}  // namespace

DWORD GetLastError()
{
    return t_lastError;
}

void SetLastError(DWORD dwErrCode)
{
    t_lastError = dwErrCode;
}

namespace mivo {

DWORD ErrorFromErrno(int e)
{
    switch (e) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS: return ERROR_ACCESS_DENIED;
    case EISDIR: return ERROR_ACCESS_DENIED;  // Windows refuses to open a folder as a file
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EBADF: return ERROR_INVALID_HANDLE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case EBUSY: return ERROR_BUSY;
    case ETXTBSY: return ERROR_SHARING_VIOLATION;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    case ESPIPE: return ERROR_SEEK_ON_DEVICE;
    case EPIPE: return ERROR_BROKEN_PIPE;
    case EIO: return ERROR_GEN_FAILURE;
    case ENOSYS: return ERROR_CALL_NOT_IMPLEMENTED;
    case ENOTSUP: return ERROR_NOT_SUPPORTED;
    case ETIMEDOUT: return ERROR_TIMEOUT;
    case EAGAIN: return ERROR_LOCK_VIOLATION;
    case EILSEQ: return ERROR_NO_UNICODE_TRANSLATION;
    case ECONNREFUSED: return ERROR_CONNECTION_REFUSED;
    case EFBIG: return ERROR_DISK_FULL;
    case EOVERFLOW: return ERROR_ARITHMETIC_OVERFLOW;
    default: return ERROR_GEN_FAILURE;
    }
}

DWORD SetLastErrorFromErrno()
{
    DWORD code = ErrorFromErrno(errno);
    SetLastError(code);
    return code;
}

const char* SystemErrorText(DWORD code)
{
    for (const ErrorText& entry : kErrorTexts) {
        if (entry.code == code)
            return entry.text;
    }
    return "";
}

}  // namespace mivo

DWORD FormatMessageA(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD /*dwLanguageId*/,
                     LPSTR lpBuffer, DWORD nSize, va_list* /*Arguments*/)
{
    std::string text;
    if (dwFlags & FORMAT_MESSAGE_FROM_STRING) {
        // Inserts are left as written; the system passes IGNORE_INSERTS.
        if (!lpSource) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        text = static_cast<const char*>(lpSource);
    } else if (dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) {
        const char* known = mivo::SystemErrorText(dwMessageId);
        if (!*known) {
            SetLastError(ERROR_MR_MID_NOT_FOUND);
            return 0;
        }
        // Windows ends system texts with a line break.
        text = std::string(known) + "\r\n";
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if ((dwFlags & FORMAT_MESSAGE_MAX_WIDTH_MASK) == FORMAT_MESSAGE_MAX_WIDTH_MASK) {
        // 0xFF asks for one line: line breaks are dropped.
        std::string flat;
        for (char c : text) {
            if (c != '\r' && c != '\n')
                flat += c;
        }
        text = flat;
    }
    return DeliverMessage(dwFlags, text, lpBuffer, nSize);
}

DWORD FormatMessage(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId,
                    LPSTR lpBuffer, DWORD nSize, va_list* Arguments)
{
    return FormatMessageA(dwFlags, lpSource, dwMessageId, dwLanguageId, lpBuffer, nSize, Arguments);
}

HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes)
{
    if (uBytes > SIZE_MAX - sizeof(LocalHeader)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    void* raw = (uFlags & LMEM_ZEROINIT) ? calloc(1, sizeof(LocalHeader) + uBytes)
                                          : malloc(sizeof(LocalHeader) + uBytes);
    if (!raw) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto header = static_cast<LocalHeader*>(raw);
    header->size = uBytes;
    return header + 1;
}

HLOCAL LocalReAlloc(HLOCAL hMem, SIZE_T uBytes, UINT uFlags)
{
    if (!hMem)
        return LocalAlloc(uFlags, uBytes);
    if (uBytes > SIZE_MAX - sizeof(LocalHeader)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    LocalHeader* header = HeaderOf(hMem);
    SIZE_T oldSize = header->size;
    void* raw = realloc(header, sizeof(LocalHeader) + uBytes);
    if (!raw) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    header = static_cast<LocalHeader*>(raw);
    header->size = uBytes;
    if ((uFlags & LMEM_ZEROINIT) && uBytes > oldSize)
        memset(reinterpret_cast<char*>(header + 1) + oldSize, 0, uBytes - oldSize);
    return header + 1;
}

HLOCAL LocalFree(HLOCAL hMem)
{
    if (hMem)
        free(HeaderOf(hMem));
    return nullptr;
}

LPVOID LocalLock(HLOCAL hMem)
{
    return hMem;
}

BOOL LocalUnlock(HLOCAL /*hMem*/)
{
    return FALSE;  // no lock count: the block is always unlocked, as for fixed memory
}

SIZE_T LocalSize(HLOCAL hMem)
{
    return hMem ? HeaderOf(hMem)->size : 0;
}
