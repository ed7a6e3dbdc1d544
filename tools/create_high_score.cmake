# cmake -DHIGH_SCORE_FILE=path -P create_high_score.cmake
# Writes a new high score file with a high score of 0, but only where none exists yet.
if(NOT HIGH_SCORE_FILE)
  message(FATAL_ERROR "HIGH_SCORE_FILE is not set")
endif()
if(NOT EXISTS "${HIGH_SCORE_FILE}")
  file(WRITE "${HIGH_SCORE_FILE}" "#あなたのハイスコアです。（上限は35450です）\r\n00000\r\n")
endif()
