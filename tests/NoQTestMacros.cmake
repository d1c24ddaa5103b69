# Fails when a test uses one of QTest's checking macros (QVERIFY, QCOMPARE,
# QTRY_..., QFAIL, QSKIP, QEXPECT_FAIL): inside a GoogleTest body their
# failure only returns from the body, and GoogleTest reports a pass.
# Usage: cmake -DDIR=<tests folder> -P NoQTestMacros.cmake
file(GLOB_RECURSE files ${DIR}/*.cpp ${DIR}/*.h)
set(found "")
foreach(file IN LISTS files)
  file(STRINGS ${file} lines REGEX "(QTRY_[A-Z_]+|QVERIFY[A-Z0-9_]*|QCOMPARE[A-Z_]*|QFAIL|QSKIP|QEXPECT_FAIL) *\\(")
  foreach(line IN LISTS lines)
    string(APPEND found "\n  ${file}: ${line}")
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "QTest checking macros in GoogleTest tests (use WaitUntil and EXPECT_/ASSERT_):${found}")
endif()
