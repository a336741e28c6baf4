// Build step: writes the LV2 bundle's description files next to the module.
//   tarvolt_lv2_description <bundle folder> <module file name>

#include "plugin/lv2/Lv2Description.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::cerr << "usage: " << argv[0] << " <bundle folder> <module file name>\n";
        return 2;
    }
    juce::String error;
    if (!Lv2Description::writeBundleFiles(juce::File(juce::String::fromUTF8(argv[1])), argv[2], error))
    {
        std::cerr << error << "\n";
        return 1;
    }
    return 0;
}
