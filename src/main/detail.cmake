# telvin_stockdetail: the stock detail / add-to-basket dialog and the web picture control.
add_library(telvin_stockdetail STATIC
  ${CMAKE_CURRENT_LIST_DIR}/stokayarintiu.h ${CMAKE_CURRENT_LIST_DIR}/stokayarintiu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/asyncresimu.h ${CMAKE_CURRENT_LIST_DIR}/asyncresimu.cpp
)
target_include_directories(telvin_stockdetail PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(telvin_stockdetail PUBLIC telvin_platform telvin_core_ui Qt6::Network)
