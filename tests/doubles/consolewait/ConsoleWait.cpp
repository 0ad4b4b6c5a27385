// Stand-in for a console program in the launcher's tests: runs until the named event given as
// its only argument is set (at most 30 seconds), then ends with 0; without a usable event it ends
// at once with 1.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2)
        return 1;
    HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, argv[1]);
    if (!event)
        return 1;
    const DWORD waited = WaitForSingleObject(event, 30000);
    CloseHandle(event);
    return waited == WAIT_OBJECT_0 ? 0 : 1;
}
