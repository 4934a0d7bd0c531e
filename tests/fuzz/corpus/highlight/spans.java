/* open
 still open */ String s = "a\"b"; // rest
char c = 'x'; /** doc */ int Ünïcode = 1;
	é 😀 class
