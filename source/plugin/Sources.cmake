# Identity values are build settings of juce_add_plugin in the top-level CMakeLists.txt.
