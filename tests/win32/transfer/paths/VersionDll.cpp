// An empty library; it exists only to carry a version resource for the tests.
extern "C" __declspec(dllexport) int VersionDllMarker()
{
    return 1;
}
