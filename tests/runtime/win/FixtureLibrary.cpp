// A library for the import-table tests: two functions, exported by name and ordinal.

extern "C" __declspec(dllexport) int FixtureAnswer() {
    return 42;
}

extern "C" __declspec(dllexport) int FixtureTwice(int value) {
    return 2 * value;
}
