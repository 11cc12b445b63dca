/* A dlclose that leaves the library loaded; see CMakeLists.txt. */
int dlclose(void* handle) {
    (void)handle;
    return 0;
}
