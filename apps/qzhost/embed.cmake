file(READ ${IN} HEX HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," BYTES "${HEX}")
file(WRITE ${OUT} "#include <string>\nnamespace qzhost {\nstd::string DemoScenarioText() {\n  static const char kText[] = {${BYTES} 0};\n  return std::string(kText, sizeof kText - 1);\n}\n}  // namespace qzhost\n")
