class T { String s = """
  text "" \""" 
  """; char c = '\''; long l = 0x1FL; }
